#include "ui/window_system/pixel_art_icon.h"

#include "core/pixel_art_scale.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <vector>

namespace lookwell {
namespace {

class PixelArtIconEngine : public QIconEngine {
public:
    explicit PixelArtIconEngine(QList<QImage> art) : art_(std::move(art)) {
        for (const QImage& image : art_) {
            sides_.push_back(image.width());
        }
    }

    QIconEngine* clone() const override { return new PixelArtIconEngine(*this); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const QImage& image : art_) {
            sizes.append(image.size());
        }
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int pixels = pixelArtScale(sides_, size.width(), 1.0).pixels;
        return {pixels, pixels};
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // size: in device pixels, as QIcon asks.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal ratio) override {
        const PixelArtScale scale = pixelArtScale(sides_, qRound(size.width() / ratio), ratio);
        const QImage& art = art_[scale.art];
        QImage drawn =
            art.scaled(art.size() * scale.block, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (drawn.width() != scale.pixels) {
            drawn = drawn.scaled(scale.pixels, scale.pixels, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        }
        return inMode(QPixmap::fromImage(std::move(drawn)), mode);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap drawn = scaledPixmap(rect.size() * ratio, mode, state, ratio);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), drawn);
    }

private:
    // Disabled and selected art as the style makes it from the normal art,
    // as it does for any icon.
    static QPixmap inMode(const QPixmap& normal, QIcon::Mode mode) {
        if (mode == QIcon::Normal) {
            return normal;
        }
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, normal, &option);
    }

    QList<QImage> art_;
    std::vector<int> sides_;
};

} // namespace

QIcon pixelArtIcon(QList<QImage> art) {
    return QIcon(new PixelArtIconEngine(std::move(art)));
}

} // namespace lookwell

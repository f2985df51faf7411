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

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        return drawn(size.width(), 1.0, mode);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal ratio) override {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        return drawn(size.width(), ratio, mode); // asked in logical pixels
#else
        return drawn(qRound(size.width() / ratio), ratio, mode); // asked in device pixels
#endif
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap pixmap = drawn(rect.width(), ratio, mode);
        pixmap.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), pixmap);
    }

private:
    // place: in logical pixels.
    QPixmap drawn(int place, qreal ratio, QIcon::Mode mode) const {
        const PixelArtScale scale = pixelArtScale(sides_, place, ratio);
        const QImage& art = art_[scale.art];
        QImage image =
            art.scaled(art.size() * scale.block, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (image.width() != scale.pixels) {
            image = image.scaled(scale.pixels, scale.pixels, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        }
        return inMode(QPixmap::fromImage(std::move(image)), mode);
    }

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

#include "ui/window_system/resources.h"

#include "ui/window_system/image_data.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

namespace lookwell {
namespace {

// Wraps the compiled-in pixels without copying or decoding them.
QPixmap pixmapOf(const image_data::ImageData& data) {
    const QImage image(reinterpret_cast<const uchar*>(data.pixels), data.width, data.height,
                       QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image);
}

} // namespace

QIcon applicationIconForDepth(int screenDepth) {
    using namespace image_data;
    const bool fewColours = screenDepth < 8;
    QIcon icon;
    icon.addPixmap(
        pixmapOf(fewColours ? kLookwell16x16With16Colours : kLookwell16x16With256Colours));
    icon.addPixmap(
        pixmapOf(fewColours ? kLookwell32x32With16Colours : kLookwell32x32With256Colours));
    return icon;
}

QIcon applicationIcon() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return applicationIconForDepth(screen != nullptr ? screen->depth() : 32);
}

QPixmap loadBitmap(unsigned id) {
    switch (id) {
    case resource::kPasteBitmap:
        return pixmapOf(image_data::kBitmap130Paste);
    case resource::kCopyBitmap:
        return pixmapOf(image_data::kBitmap131Copy);
    default:
        return {};
    }
}

} // namespace lookwell

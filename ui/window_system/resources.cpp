#include "ui/window_system/resources.h"

#include "ui/window_system/image_data.h"
#include "ui/window_system/pixel_art_icon.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

namespace lookwell {
namespace {

// Wraps the compiled-in pixels without copying or decoding them.
QImage imageOf(const image_data::ImageData& data) {
    return {reinterpret_cast<const uchar*>(data.pixels), data.width, data.height,
            QImage::Format_ARGB32_Premultiplied};
}

} // namespace

QIcon applicationIconForDepth(int screenDepth) {
    using namespace image_data;
    const bool fewColours = screenDepth < 8;
    return pixelArtIcon(
        {imageOf(fewColours ? kLookwell16x16With16Colours : kLookwell16x16With256Colours),
         imageOf(fewColours ? kLookwell32x32With16Colours : kLookwell32x32With256Colours)});
}

QIcon applicationIcon() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return applicationIconForDepth(screen != nullptr ? screen->depth() : 32);
}

QImage loadBitmap(unsigned id) {
    switch (id) {
    case resource::kPasteBitmap:
        return imageOf(image_data::kBitmap130Paste);
    case resource::kCopyBitmap:
        return imageOf(image_data::kBitmap131Copy);
    default:
        return {};
    }
}

} // namespace lookwell

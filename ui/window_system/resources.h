#pragma once

#include <QIcon>
#include <QImage>

namespace lookwell {

namespace resource {
inline constexpr unsigned kApplicationIcon = 128;
inline constexpr unsigned kPasteBitmap = 130;
inline constexpr unsigned kCopyBitmap = 131;
} // namespace resource

// Icon 128 in 16 and 32 pixels, drawn as pixel art at any scale. Screens of
// fewer than 256 colours get the 16-colour images, all others the 256-colour
// ones.
QIcon applicationIcon();
QIcon applicationIconForDepth(int screenDepth);

// Bitmap 130 or 131, the compiled-in pixels themselves; a null image for any
// other id.
QImage loadBitmap(unsigned id);

} // namespace lookwell

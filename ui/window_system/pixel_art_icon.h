#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

namespace lookwell {

// An icon made of square pixel art that stays crisp on dense screens: each art
// pixel is drawn as a block of identical pixels (see core/pixel_art_scale.h),
// where Qt would smooth the art up. art: each size of the art, smallest first.
QIcon pixelArtIcon(QList<QImage> art);

} // namespace lookwell

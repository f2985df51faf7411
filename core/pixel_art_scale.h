#pragma once

#include <span>

namespace lookwell {

// How square pixel art fills a place on a screen of some device pixel ratio.
// Pixel art is enlarged by repeating pixels: each art pixel becomes a block of
// identical pixels. At a whole ratio the blocks are the drawing; between whole
// ratios the next whole multiple is smoothed down to the size wanted, which
// blurs less than smoothing the art up would.
struct PixelArtScale {
    int art;    // which art: the largest that fits the place, or else the smallest
    int block;  // device pixels a side for each art pixel
    int pixels; // device pixels a side of what is drawn in the end

    bool operator==(const PixelArtScale&) const = default;
};

// artSides: the sides of the art in pixels, smallest first (at least one);
// place: the side of the place in logical pixels. Art is never drawn larger
// than its own size in logical pixels, as an icon is not.
PixelArtScale pixelArtScale(std::span<const int> artSides, int place, double ratio);

} // namespace lookwell

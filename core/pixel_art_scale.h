#pragma once

#include <span>

namespace lookwell {

// How square pixel art fills a place on a screen of some device pixel ratio.
// As an icon does, it takes the drawing made for the place's device pixels:
// the smallest at least that large. Past the largest drawing, the art is
// enlarged by repeating pixels, each art pixel a block of identical pixels; at
// a whole multiple of a drawing the blocks are the picture, and otherwise the
// next whole multiple is smoothed down to the size wanted, which blurs less than
// smoothing the art up would.
struct PixelArtScale {
    int art;    // which drawing
    int block;  // device pixels a side for each art pixel
    int pixels; // device pixels a side of what is drawn in the end

    bool operator==(const PixelArtScale&) const = default;
};

// artSides: the sides of the art in pixels, smallest first (at least one);
// place: the side of the place in logical pixels. Art is never drawn larger
// than its largest drawing in logical pixels, as an icon is not.
PixelArtScale pixelArtScale(std::span<const int> artSides, int place, double ratio);

} // namespace lookwell

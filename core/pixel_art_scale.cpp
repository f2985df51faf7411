#include "core/pixel_art_scale.h"

#include <algorithm>
#include <cmath>

namespace lookwell {
namespace {

std::size_t drawingFor(std::span<const int> artSides, int pixels) {
    // The smallest drawing that fills the pixels by itself...
    for (std::size_t i = 0; i < artSides.size(); ++i) {
        if (artSides[i] >= pixels) {
            return i;
        }
    }
    // ...or else the largest that whole blocks enlarge to exactly that many,
    // which stays crisp, or else the largest of all.
    for (std::size_t i = artSides.size(); i-- > 0;) {
        if (artSides[i] > 0 && pixels % artSides[i] == 0) {
            return i;
        }
    }
    return artSides.size() - 1;
}

} // namespace

PixelArtScale pixelArtScale(std::span<const int> artSides, int place, double ratio) {
    const int pixels = static_cast<int>(std::lround(std::min(place, artSides.back()) * ratio));
    const std::size_t art = drawingFor(artSides, pixels);
    const int side = artSides[art];
    if (side <= 0) {
        return {static_cast<int>(art), 1, 0}; // a null image: nothing to draw, nothing to divide by
    }
    return {static_cast<int>(art), std::max(1, (pixels + side - 1) / side), pixels};
}

} // namespace lookwell

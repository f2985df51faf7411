#include "core/pixel_art_scale.h"

#include <algorithm>
#include <cmath>

namespace lookwell {

PixelArtScale pixelArtScale(std::span<const int> artSides, int place, double ratio) {
    int art = 0;
    for (int i = 1; i < static_cast<int>(artSides.size()); ++i) {
        if (artSides[static_cast<std::size_t>(i)] <= place) {
            art = i;
        }
    }
    const int side = artSides[static_cast<std::size_t>(art)];
    if (side <= 0) {
        return {art, 1, 0}; // a null image: nothing to draw, and nothing to divide by
    }
    const int pixels = static_cast<int>(std::lround(std::min(side, place) * ratio));
    return {art, std::max(1, (pixels + side - 1) / side), pixels};
}

} // namespace lookwell

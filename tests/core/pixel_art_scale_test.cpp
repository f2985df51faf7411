#include "core/pixel_art_scale.h"

#include <array>
#include <gtest/gtest.h>

namespace lookwell {
namespace {

constexpr std::array<int, 2> kIconSides{16, 32};

TEST(PixelArtScale, TheDrawingForTheDevicePixelsThenWholeBlocksThenTheNextMultipleSmoothedDown) {
    EXPECT_EQ(pixelArtScale(kIconSides, 16, 1.0), (PixelArtScale{0, 1, 16}));
    EXPECT_EQ(pixelArtScale(kIconSides, 16, 2.0), (PixelArtScale{1, 1, 32}));
    EXPECT_EQ(pixelArtScale(kIconSides, 32, 2.0), (PixelArtScale{1, 2, 64}));
    EXPECT_EQ(pixelArtScale(kIconSides, 16, 3.0), (PixelArtScale{0, 3, 48}));
    EXPECT_EQ(pixelArtScale(kIconSides, 16, 1.5), (PixelArtScale{1, 1, 24}));
    EXPECT_EQ(pixelArtScale(kIconSides, 32, 1.25), (PixelArtScale{1, 2, 40}));
    EXPECT_EQ(pixelArtScale(kIconSides, 48, 1.0), (PixelArtScale{1, 1, 32}));
    EXPECT_EQ(pixelArtScale(kIconSides, 8, 2.0), (PixelArtScale{0, 1, 16}));
    EXPECT_EQ(pixelArtScale(std::array{0}, 16, 2.0), (PixelArtScale{0, 1, 0}));
}

} // namespace
} // namespace lookwell

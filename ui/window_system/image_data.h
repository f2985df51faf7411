#pragma once

#include <cstdint>

// The icon and bitmap art as pixels compiled into the program (generated at
// build time from the XPM files in resources/ by xpm_to_cpp).
namespace lookwell::image_data {

// Premultiplied 32-bit ARGB pixels, row by row, no padding.
struct ImageData {
    int width;
    int height;
    const std::uint32_t* pixels;
};

extern const ImageData kLookwell16x16With16Colours;
extern const ImageData kLookwell16x16With256Colours;
extern const ImageData kLookwell32x32With16Colours;
extern const ImageData kLookwell32x32With256Colours;
extern const ImageData kBitmap130Paste;
extern const ImageData kBitmap131Copy;

} // namespace lookwell::image_data

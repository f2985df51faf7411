#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

// The longest run of decimal digits in text, leading zeros not counted: C's
// conversions agree with the modulo-2^32 reading only while a number fits in 64 bits.
inline std::size_t longestSignificantDigitRun(std::string_view text) {
    std::size_t longest = 0;
    std::size_t run = 0;
    for (char c : text) {
        const bool digit = c >= '0' && c <= '9';
        run = !digit ? 0 : (run == 0 && c == '0' ? 0 : run + 1);
        longest = std::max(longest, run);
    }
    return longest;
}

// 18 significant digits always fit in a signed 64-bit number.
inline constexpr std::size_t kDigitsThatFit = 18;

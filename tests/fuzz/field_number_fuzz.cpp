// A field's number against atoi, and against strtoll reduced modulo 2^32, which
// is the documented reading of numbers that do not fit in 32 bits.
#include "core/address_fields.h"
#include "tests/fuzz/decimal_digits.h"
#include "tests/fuzz/fuzz_check.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::uint32_t number = lookwell::fieldNumber(text);
    FUZZ_CHECK(lookwell::fieldByte(text) == (number & 0xFFu));
    if (longestSignificantDigitRun(text) > kDigitsThatFit) {
        return 0;
    }
    errno = 0;
    const long long wide = std::strtoll(text.c_str(), nullptr, 10);
    FUZZ_CHECK(errno == 0);
    FUZZ_CHECK(number == static_cast<std::uint32_t>(wide));
    if (wide >= INT_MIN && wide <= INT_MAX) {
        FUZZ_CHECK(number == static_cast<std::uint32_t>(std::atoi(text.c_str())));
    }
    return 0;
}

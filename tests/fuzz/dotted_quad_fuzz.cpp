// The dotted-quad parser against glibc's sscanf with "%u.%u.%u.%u".
#include "core/address_fields.h"
#include "tests/fuzz/decimal_digits.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = lookwell::parseDottedQuad(text);
    // sscanf sees the text only up to its first zero byte; so does the parser, as
    // no number or dot can contain one.
    if (longestSignificantDigitRun(text) > kDigitsThatFit) {
        return 0;
    }
    unsigned numbers[4] = {};
    const int converted = std::sscanf(text.c_str(), "%u.%u.%u.%u", &numbers[0], &numbers[1],
                                      &numbers[2], &numbers[3]);
    FUZZ_CHECK(parsed.has_value() == (converted == 4));
    if (parsed) {
        for (std::size_t i = 0; i < 4; ++i) {
            FUZZ_CHECK((*parsed)[i] == numbers[i]);
        }
    }
    return 0;
}

// natlas with every pair of bytes and every 32-bit code: the code follows the
// packing rule, the text is read for exactly two bytes, and a name is written
// into exactly 256 bytes, terminated, only for codes of the table.
#include "natlas.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace {

std::uint16_t expectedCode(std::uint8_t first, std::uint8_t second) {
    const auto a = static_cast<std::int16_t>(static_cast<std::int8_t>(first) - 65);
    const auto b = static_cast<std::int16_t>(static_cast<std::int8_t>(second) - 65);
    return static_cast<std::uint16_t>(static_cast<std::uint16_t>(a * 32) |
                                      static_cast<std::uint16_t>(b));
}

constexpr std::uint16_t kLargestCode = 822;

void checkName(std::uint32_t code) {
    // Heap blocks of exactly the documented size, so any overrun is reported.
    const auto buffer = std::make_unique<char[]>(NATLAS_NAME_BUFFER_SIZE);
    std::memset(buffer.get(), 0x5A, NATLAS_NAME_BUFFER_SIZE);
    FUZZ_CHECK(NatlasGetCountryName(code, buffer.get()) == buffer.get());
    const std::size_t length = strnlen(buffer.get(), NATLAS_NAME_BUFFER_SIZE);
    FUZZ_CHECK(length < NATLAS_NAME_BUFFER_SIZE);
    FUZZ_CHECK(length == 0 || (length >= 4 && length <= 30 && (code & 0xFFFF) <= kLargestCode));
    FUZZ_CHECK(length == 0 || (buffer[0] != ' ' && buffer[length - 1] != ' '));
    char lowBits[NATLAS_NAME_BUFFER_SIZE];
    NatlasGetCountryName(code & 0xFFFF, lowBits);
    FUZZ_CHECK(std::strcmp(lowBits, buffer.get()) == 0);
}

void checkPair(std::uint8_t first, std::uint8_t second) {
    const auto text = std::make_unique<char[]>(2);
    text[0] = static_cast<char>(first);
    text[1] = static_cast<char>(second);
    const CountryCode code = NatlasGetCountryCode(text.get());
    FUZZ_CHECK(code == expectedCode(first, second));
    checkName(code);
}

} // namespace

// Every two-byte text once, before any generated input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (unsigned pair = 0; pair <= 0xFFFF; ++pair) {
        checkPair(static_cast<std::uint8_t>(pair >> 8), static_cast<std::uint8_t>(pair));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    checkPair(data[0], data[1]);
    if (size >= 6) {
        std::uint32_t wide = 0;
        std::memcpy(&wide, data + 2, sizeof wide);
        checkName(wide);
    }
    return 0;
}

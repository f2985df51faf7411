// Name lookup from the table compiled into the library.
#include "country_rows.h"
#include "natlas.h"

namespace {

constexpr std::size_t longestCopiedName = NATLAS_NAME_BUFFER_SIZE - 1;

const char* nameOf(std::uint16_t code) {
    const char* name = code < natlas::namesByCode.size() ? natlas::namesByCode[code] : nullptr;
    return name != nullptr ? name : "";
}

} // namespace

extern "C" char* NATLAS_CALL NatlasGetCountryName(uint32_t code, char* buffer) {
    const char* name = nameOf(static_cast<std::uint16_t>(code & 0xFFFF));
    std::size_t length = 0;
    for (; length < longestCopiedName && name[length] != '\0'; ++length)
        buffer[length] = name[length];
    buffer[length] = '\0';
    return buffer;
}

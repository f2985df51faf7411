// The operations that are the same on every platform.
#include "natlas.h"

#include "natlas_version.h"

namespace {

constexpr int letterA = 65;

// Characters count as signed bytes, whatever the compiler's char is.
int signedByte(char c) {
    return static_cast<signed char>(c);
}

} // namespace

extern "C" {

uint16_t NATLAS_CALL NatlasGetVersion(void) {
    return NATLAS_VERSION_WORD;
}

// The second term is ORed, not added: a lower-case second letter sets bit 5,
// which belongs to the first letter ("Jp" gives the code of "JP").
CountryCode NATLAS_CALL NatlasGetCountryCode(const char* text) {
    const auto first = static_cast<uint16_t>((signedByte(text[0]) - letterA) * 32);
    const auto second = static_cast<uint16_t>(signedByte(text[1]) - letterA);
    return static_cast<CountryCode>(first | second);
}

int32_t NATLAS_CALL NatlasGetBitnet(int32_t) {
    return 1;
}

int32_t NATLAS_CALL NatlasGetFidonet(int32_t) {
    return 1;
}

int32_t NATLAS_CALL NatlasGetInet(int32_t) {
    return 1;
}

int32_t NATLAS_CALL NatlasGetOSI(int32_t) {
    return 1;
}

int32_t NATLAS_CALL NatlasGetUUCP(int32_t) {
    return 1;
}

} // extern "C"

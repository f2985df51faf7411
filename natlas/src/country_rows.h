// The country table as constant data, indexed by code, with the properties the
// lookup relies on checked while compiling.
#ifndef NATLAS_COUNTRY_ROWS_H
#define NATLAS_COUNTRY_ROWS_H

#include "country_code.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace natlas {

struct CountryRow {
    std::uint16_t code;
    const char* name;
};

inline constexpr CountryRow countryRows[] = {
#define NATLAS_COUNTRY(first, second, name) {NATLAS_CODE(first, second), name},
#include "countries.inc"
#undef NATLAS_COUNTRY
};

inline constexpr std::size_t countryRowCount = 177;
static_assert(std::size(countryRows) == countryRowCount, "the table holds 177 countries");

// Codes of two upper-case letters run from "AA" (0) to "ZZ" (825).
inline constexpr std::size_t codeLimit = NATLAS_CODE(Z, Z) + 1;

// Index by code: a lookup is one bounds test and one load, with no search.
// Codes without a country stay null.
inline constexpr auto namesByCode = [] {
    std::array<const char*, codeLimit> names{};
    for (const CountryRow& row : countryRows)
        names[row.code] = row.name;
    return names;
}();

constexpr std::size_t textLength(const char* text) {
    std::size_t length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

constexpr bool rowsAreDistinct() {
    std::size_t named = 0;
    for (const char* name : namesByCode)
        named += name != nullptr ? 1 : 0;
    return named == countryRowCount;
}
static_assert(rowsAreDistinct(), "every code appears in one row only");

constexpr bool namesAreTrimmedAscii() {
    for (const CountryRow& row : countryRows) {
        const std::size_t length = textLength(row.name);
        if (length < 4 || length > 30 || row.name[0] == ' ' || row.name[length - 1] == ' ')
            return false;
        for (std::size_t i = 0; i < length; ++i)
            if (row.name[i] < ' ' || row.name[i] > '~')
                return false;
    }
    return true;
}
static_assert(namesAreTrimmedAscii(), "names are printable ASCII of 4 to 30 characters, trimmed");

} // namespace natlas

#endif

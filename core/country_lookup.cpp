#include "core/country_lookup.h"

#include <array>
#include <natlas.h>

namespace lookwell {

std::string CountryLookup::nameOf(std::string_view twoCharacters) {
    if (twoCharacters.size() < 2) {
        return std::string();
    }
    std::array<char, 256> name{};
    const CountryCode code = NatlasGetCountryCode(twoCharacters.data());
    return std::string(NatlasGetCountryName(code, name.data()));
}

} // namespace lookwell

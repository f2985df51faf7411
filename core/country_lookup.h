#pragma once

#include <string>
#include <string_view>

namespace lookwell {

// The program's only door to the natlas library.
class CountryLookup {
public:
    // The name natlas holds for the code of the first two characters, or an empty
    // text when it holds none. Fewer than two characters never reach the library.
    static std::string nameOf(std::string_view twoCharacters);
};

} // namespace lookwell

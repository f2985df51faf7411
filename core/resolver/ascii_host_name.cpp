#include "core/resolver/ascii_host_name.h"

#include <algorithm>
#include <idn2.h>
#include <memory>

namespace lookwell {

std::string asciiHostName(const std::string& name) {
    if (std::ranges::all_of(name, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return name;
    }
    char* converted = nullptr;
    if (idn2_to_ascii_8z(name.c_str(), &converted, IDN2_NONTRANSITIONAL) != IDN2_OK) {
        return name;
    }
    const std::unique_ptr<char, decltype(&idn2_free)> owned(converted, &idn2_free);
    return converted;
}

} // namespace lookwell

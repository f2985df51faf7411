#pragma once

#include "core/lookup_view.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lookwell {

// The three facts of the Information box, computed together after a lookup.
struct AddressInfo {
    unsigned classTextId;
    std::string country;
    bool isPrivate;

    // byte1, byte2: the low bytes of address fields 1 and 2.
    static AddressInfo of(std::uint8_t byte1, std::uint8_t byte2, std::string_view hostName);
};

unsigned classTextIdFor(std::uint8_t byte1);
bool isPrivateAddress(std::uint8_t byte1, std::uint8_t byte2);
std::string countryOfHostName(std::string_view hostName);

// Reads fields 1 and 2 and the host name from the view and writes the class box,
// the country box and the private-address label; nothing else.
void updateAddressInfo(LookupView& view);

} // namespace lookwell

#include "core/address_info.h"

#include "core/address_fields.h"
#include "core/catalogue.h"
#include "core/country_lookup.h"

#include <algorithm>

namespace lookwell {
namespace {

// Shown when the last label is no country code; the library has no name for it.
constexpr std::string_view kNoCountry = "Unknown";

char toUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

unsigned classTextIdFor(std::uint8_t byte1) {
    if (byte1 < 128) {
        return text::kClassA;
    }
    if (byte1 < 192) {
        return text::kClassB;
    }
    return byte1 < 224 ? text::kClassC : text::kClassUnknown;
}

bool isPrivateAddress(std::uint8_t byte1, std::uint8_t byte2) {
    return byte1 == 10 || (byte1 == 172 && (byte2 & 0xF0) == 16) || (byte1 == 192 && byte2 == 168);
}

std::string countryOfHostName(std::string_view hostName) {
    const auto dot = hostName.rfind('.');
    if (dot == std::string_view::npos) {
        return std::string(kNoCountry);
    }
    switch (hostName.size() - dot - 1) {
    case 2: {
        std::string code(hostName.substr(dot + 1));
        std::transform(code.begin(), code.end(), code.begin(), toUpperAscii);
        return CountryLookup::nameOf(code);
    }
    case 3: // every three-letter ending (com, net, org, ...) stands for the United States
        return CountryLookup::nameOf("US");
    default:
        return std::string(kNoCountry);
    }
}

AddressInfo AddressInfo::of(std::uint8_t byte1, std::uint8_t byte2, std::string_view hostName) {
    return {classTextIdFor(byte1), countryOfHostName(hostName), isPrivateAddress(byte1, byte2)};
}

void updateAddressInfo(LookupView& view) {
    const AddressInfo info =
        AddressInfo::of(fieldByte(view.addressField(AddressField::One)),
                        fieldByte(view.addressField(AddressField::Two)), view.hostName());
    view.setClassText(loadText(info.classTextId));
    view.setCountryText(info.country);
    view.enablePrivateLabel(info.isPrivate);
}

} // namespace lookwell

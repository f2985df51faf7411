#include "core/address_fields.h"

#include <algorithm>

namespace lookwell {
inline namespace AddressFields {
namespace {

constexpr std::array kFieldsLastFirst{AddressField::Four, AddressField::Three, AddressField::Two,
                                      AddressField::One};

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t indexOf(AddressField field) {
    return static_cast<std::size_t>(field) - 1;
}

// One unsigned number as atoi and scanf's %u read it: white space, a sign, digits.
// Arithmetic is modulo 2^32 throughout, so no text can overflow anything.
struct ScannedNumber {
    std::uint32_t value = 0;
    bool hasDigits = false;
    std::size_t end = 0; // index of the first character not taken
};

ScannedNumber scanNumber(std::string_view text, std::size_t pos) {
    ScannedNumber result;
    while (pos < text.size() && isSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        result.value = result.value * 10u + static_cast<std::uint32_t>(text[pos] - '0');
        result.hasDigits = true;
    }
    if (negative) {
        result.value = 0u - result.value;
    }
    result.end = pos;
    return result;
}

} // namespace

std::uint32_t fieldNumber(std::string_view text) {
    return scanNumber(text, 0).value;
}

std::uint8_t fieldByte(std::string_view text) {
    return static_cast<std::uint8_t>(fieldNumber(text) & 0xFFu);
}

bool validateFields(const FieldTexts& fields) {
    return std::all_of(kFieldsLastFirst.begin(), kFieldsLastFirst.end(), [&](AddressField f) {
        const std::string& text = fields[indexOf(f)];
        return std::all_of(text.rbegin(), text.rend(), isDigit);
    });
}

std::uint32_t packAddress(const FieldTexts& fields) {
    std::uint32_t address = 0;
    for (const auto& text : fields) {
        address = (address << 8) | fieldByte(text);
    }
    return address;
}

Ipv4Bytes toNetworkOrder(std::uint32_t hostOrder) {
    return {static_cast<std::uint8_t>(hostOrder >> 24), static_cast<std::uint8_t>(hostOrder >> 16),
            static_cast<std::uint8_t>(hostOrder >> 8), static_cast<std::uint8_t>(hostOrder)};
}

std::string formatDottedQuad(const FieldTexts& fields) {
    std::string text;
    for (const auto& field : fields) {
        if (!text.empty()) {
            text += '.';
        }
        text += std::to_string(fieldNumber(field));
    }
    return text;
}

std::optional<FieldNumbers> parseDottedQuad(std::string_view text) {
    FieldNumbers numbers{};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            // A literal in the format matches one character exactly, with no white space skipped.
            if (pos >= text.size() || text[pos] != '.') {
                return std::nullopt;
            }
            ++pos;
        }
        const ScannedNumber number = scanNumber(text, pos);
        if (!number.hasDigits) {
            return std::nullopt;
        }
        numbers[i] = number.value;
        pos = number.end;
    }
    return numbers;
}

FieldTexts readFields(const LookupView& view) {
    FieldTexts fields;
    for (AddressField f : kFieldsLastFirst) {
        fields[indexOf(f)] = view.addressField(f);
    }
    return fields;
}

void fillFromAddress(LookupView& view, const Ipv4Bytes& address) {
    writeFields(view, {address[0], address[1], address[2], address[3]});
}

void writeFields(LookupView& view, const FieldNumbers& numbers) {
    for (AddressField f : kFieldsLastFirst) {
        view.setAddressField(f, std::to_string(numbers[indexOf(f)]));
    }
}

void clearFields(LookupView& view) {
    for (AddressField f : kFieldsLastFirst) {
        view.setAddressField(f, std::string());
    }
}

} // namespace AddressFields
} // namespace lookwell

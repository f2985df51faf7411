#pragma once

#include "core/hostent_buffer.h"
#include "core/lookup_view.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lookwell {

// AddressFields: the rules of the four address fields taken together, that is
// their validation, packing, filling, clearing and dotted-quad text. Inline, so
// callers in lookwell name the rules without the prefix.
inline namespace AddressFields {

// The texts of address fields 1 to 4, field 1 (the most significant byte) first.
using FieldTexts = std::array<std::string, 4>;
using FieldNumbers = std::array<std::uint32_t, 4>;

// A field's number, read like atoi: white space, a sign, then digits up to the
// first other character; empty or digitless text is 0. Digit strings too long
// for 32 bits wrap modulo 2^32, as does the negation of a minus sign, so the
// number is always a well-defined unsigned 32-bit value and its low byte equals
// the written value modulo 256 however long the text is.
std::uint32_t fieldNumber(std::string_view text);
std::uint8_t fieldByte(std::string_view text);

// True when every text holds only the digits 0 to 9 (an empty text passes).
bool validateFields(const FieldTexts& fields);
// (byte 1 << 24) | (byte 2 << 16) | (byte 3 << 8) | byte 4, in host order.
std::uint32_t packAddress(const FieldTexts& fields);
Ipv4Bytes toNetworkOrder(std::uint32_t hostOrder);

// "%u.%u.%u.%u" of the four numbers (not bytes).
std::string formatDottedQuad(const FieldTexts& fields);
// sscanf(text, "%u.%u.%u.%u") that converted all four numbers, or nothing.
std::optional<FieldNumbers> parseDottedQuad(std::string_view text);

FieldTexts readFields(const LookupView& view);
// Each of these sets field 4 first and field 1 last: the dialog's button rules
// react to the changes in that order.
void fillFromAddress(LookupView& view, const Ipv4Bytes& address);
void writeFields(LookupView& view, const FieldNumbers& numbers);
void clearFields(LookupView& view);

} // namespace AddressFields
} // namespace lookwell

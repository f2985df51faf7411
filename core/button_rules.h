#pragma once

#include "core/address_fields.h"

#include <string_view>

namespace lookwell {

// To IP follows the host name: enabled exactly while it is not empty.
bool toIpEnabledFor(std::string_view hostName);

// The state of To Host Name after a change of one address field. Only a change of
// field 4 can enable the button (when all four fields hold text); a change of
// fields 1 to 3 can only disable it, when that field became empty.
bool toHostNameAfterChange(AddressField changed, const FieldTexts& fields, bool enabledNow);

} // namespace lookwell

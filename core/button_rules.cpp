#include "core/button_rules.h"

#include <algorithm>

namespace lookwell {

bool toIpEnabledFor(std::string_view hostName) {
    return !hostName.empty();
}

bool toHostNameAfterChange(AddressField changed, const FieldTexts& fields, bool enabledNow) {
    if (changed == AddressField::Four) {
        return std::none_of(fields.begin(), fields.end(),
                            [](const std::string& text) { return text.empty(); });
    }
    const auto& text = fields[static_cast<std::size_t>(changed) - 1];
    return text.empty() ? false : enabledNow;
}

} // namespace lookwell

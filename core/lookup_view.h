#pragma once

#include "core/catalogue.h"
#include "core/reply_window.h"

#include <string>

namespace lookwell {

enum class AddressField { One = 1, Two, Three, Four };

// What the lookup logic needs from the main dialog. Every set of the host name or
// of an address field counts as a change of that field and runs the dialog's
// button rules before it returns, exactly as typing does.
class LookupView {
public:
    virtual ~LookupView() = default;

    virtual void setTitle(const std::string& title) = 0;
    virtual std::string hostName() const = 0;
    virtual void setHostName(const std::string& name) = 0;
    virtual std::string addressField(AddressField field) const = 0;
    virtual void setAddressField(AddressField field, const std::string& text) = 0;
    virtual void setClassText(const std::string& text) = 0;   // empty clears the box
    virtual void setCountryText(const std::string& text) = 0; // empty clears the box
    virtual void enableToHostName(bool enabled) = 0;
    virtual void enablePrivateLabel(bool enabled) = 0;
    virtual void refreshAddressInfo() = 0;
    // Modal to the dialog; returns when the user dismisses it.
    virtual void showMessage(unsigned textId, Severity severity) = 0;
    virtual ReplyWindow& replyWindow() = 0;
};

} // namespace lookwell

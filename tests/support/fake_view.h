#pragma once

#include "core/button_rules.h"
#include "core/lookup_view.h"

#include <array>
#include <string>
#include <vector>

namespace lookwell::test_support {

// A LookupView that keeps the dialog's state, applies its button rules on every
// field change, and logs every call in order, so tests can check both the final
// state and the order in which the view saw the changes.
class FakeView : public LookupView, public ReplyWindow {
public:
    std::string title;
    std::string host;
    FieldTexts fields;
    std::string classText = "old class";
    std::string countryText = "old country";
    bool toIp = false;
    bool toHostName = false;
    bool privateLabel = false;
    std::vector<std::string> log;

    struct Reply {
        unsigned message;
        RequestHandle handle;
        std::uint32_t lparam;
    };
    std::vector<Reply> replies;

    void setTitle(const std::string& text) override { record("title=" + (title = text)); }
    std::string hostName() const override { return host; }
    void setHostName(const std::string& name) override {
        host = name;
        toIp = toIpEnabledFor(host);
        record("host=" + name);
    }
    std::string addressField(AddressField field) const override { return fields[index(field)]; }
    void setAddressField(AddressField field, const std::string& text) override {
        fields[index(field)] = text;
        toHostName = toHostNameAfterChange(field, fields, toHostName);
        record("field" + std::to_string(index(field) + 1) + "=" + text);
    }
    void setClassText(const std::string& text) override { record("class=" + (classText = text)); }
    void setCountryText(const std::string& text) override {
        record("country=" + (countryText = text));
    }
    void enableToHostName(bool enabled) override {
        toHostName = enabled;
        record(std::string("toHostName=") + (enabled ? "on" : "off"));
    }
    void enablePrivateLabel(bool enabled) override {
        privateLabel = enabled;
        record(std::string("private=") + (enabled ? "on" : "off"));
    }
    void refreshAddressInfo() override { record("refresh"); }
    void showMessage(unsigned textId, Severity severity) override {
        record("message " + loadText(textId) +
               (severity == Severity::Error ? " (error)" : " (warning)"));
    }
    ReplyWindow& replyWindow() override { return *this; }
    void receiveReply(unsigned message, RequestHandle handle, std::uint32_t lparam) override {
        replies.push_back({message, handle, lparam});
    }

    void typeFields(const FieldTexts& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            setAddressField(static_cast<AddressField>(i + 1), texts[i]);
        }
        log.clear();
    }

private:
    static std::size_t index(AddressField field) { return static_cast<std::size_t>(field) - 1; }
    void record(std::string entry) { log.push_back(std::move(entry)); }
};

} // namespace lookwell::test_support

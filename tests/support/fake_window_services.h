#pragma once

#include "ui/window_system/window_services.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

namespace lookwell::test_support {

// Records every message box instead of showing it, with the owner's title at
// that moment.
class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        Severity severity;
        QWidget* owner;
        QString ownerTitle;
    };
    std::vector<Shown> shown;

    void show(QWidget* owner, const std::string& text, Severity severity) override {
        shown.push_back(
            {text, severity, owner, owner != nullptr ? owner->windowTitle() : QString()});
    }
};

// A clipboard in memory that can refuse to open.
class FakeClipboard : public Clipboard {
public:
    std::optional<std::string> content;
    bool refuseOpen = false;
    int opens = 0;
    int closes = 0;
    bool isOpen = false;

    bool open(QWidget*) override {
        ++opens;
        isOpen = !refuseOpen;
        return isOpen;
    }
    std::optional<std::string> text() const override { return isOpen ? content : std::nullopt; }
    void setText(const std::string& text) override {
        if (isOpen) {
            content = text;
        }
    }
    void close() override {
        ++closes;
        isOpen = false;
    }
};

} // namespace lookwell::test_support

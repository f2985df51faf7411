#pragma once

#include <optional>
#include <string>

class QWidget;

namespace lookwell {

// The clipboard as the dialog uses it: open (which can fail when another
// program holds it), read or replace its plain text, close. Texts are 8-bit,
// UTF-8 encoded.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool open(QWidget* owner) = 0;
    // Only between a successful open and close.
    virtual std::optional<std::string> text() const = 0;
    // Replaces everything on the clipboard with this one plain text.
    virtual void setText(const std::string& text) = 0;
    virtual void close() = 0;
};

// The desktop's clipboard. It has no open/close of its own and no fixed-size
// blocks: open succeeds whenever the platform offers a clipboard at all.
class QtClipboard : public Clipboard {
public:
    bool open(QWidget* owner) override;
    std::optional<std::string> text() const override;
    void setText(const std::string& text) override;
    void close() override;
};

} // namespace lookwell

#pragma once

#include "core/catalogue.h"

#include <string>

class QWidget;

namespace lookwell {

// The program's message boxes: one OK button, modal to their owner, with the
// stop icon for errors and the exclamation icon for warnings. Queued work (the
// resolver's replies) keeps running while a box is open.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // owner may be null when no window exists yet.
    virtual void show(QWidget* owner, const std::string& text, Severity severity) = 0;
};

// The real boxes, captioned with the application's name.
class QtMessageBoxes : public MessageBoxes {
public:
    void show(QWidget* owner, const std::string& text, Severity severity) override;
};

} // namespace lookwell

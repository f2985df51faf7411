#pragma once

#include "ui/window_system/clipboard.h"
#include "ui/window_system/message_boxes.h"

namespace lookwell {

// The side effects the dialogs reach the desktop through; tests swap them.
struct WindowServices {
    MessageBoxes& messages;
    Clipboard& clipboard;

    // The real message boxes and clipboard.
    static WindowServices desktop();
};

} // namespace lookwell

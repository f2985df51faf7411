#include "ui/window_system/window_services.h"

namespace lookwell {

WindowServices WindowServices::desktop() {
    static QtMessageBoxes messages;
    static QtClipboard clipboard;
    return {messages, clipboard};
}

} // namespace lookwell

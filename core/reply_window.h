#pragma once

#include <cstdint>

namespace lookwell {

// Opaque handle of one resolver request; 0 never names a request.
using RequestHandle = std::uintptr_t;

// The window that resolver replies are addressed to. Replies always arrive on
// the user-interface thread, one message at a time, like posted window messages.
class ReplyWindow {
public:
    virtual ~ReplyWindow() = default;
    virtual void receiveReply(unsigned message, RequestHandle handle, std::uint32_t lparam) = 0;
};

} // namespace lookwell

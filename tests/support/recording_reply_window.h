#pragma once

#include "core/reply_window.h"

#include <vector>

namespace lookwell::test_support {

struct RecordedReply {
    unsigned message;
    RequestHandle handle;
    std::uint32_t lparam;
};

// Keeps every reply it receives, in order; used on the test thread only.
class RecordingReplyWindow : public ReplyWindow {
public:
    void receiveReply(unsigned message, RequestHandle handle, std::uint32_t lparam) override {
        replies.push_back({message, handle, lparam});
    }

    std::vector<RecordedReply> replies;
};

} // namespace lookwell::test_support

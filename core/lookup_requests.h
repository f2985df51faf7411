#pragma once

#include "core/hostent_buffer.h"
#include "core/lookup_view.h"
#include "core/resolver.h"

#include <cstdint>

namespace lookwell {

inline constexpr unsigned WM_LOOKUP_NAME_DONE = 0x0464;
inline constexpr unsigned WM_LOOKUP_ADDR_DONE = 0x0465;

// The program's one request at a time.
struct LookupState {
    RequestHandle handle = 0;
    std::uint8_t pending = 0;
};

// The two lookup commands and their replies, on the dialog's behalf. The
// resolver writes replies into buffer, so a request still pending when this
// object ends is cancelled then: the buffer, which must outlive this object,
// can never be released under a pending request.
class LookupRequests {
public:
    LookupRequests(LookupState& state, Resolver& resolver, LookupView& view, HostentBuffer& buffer);
    ~LookupRequests();
    LookupRequests(const LookupRequests&) = delete;
    LookupRequests& operator=(const LookupRequests&) = delete;

    void startNameLookup();
    void startAddressLookup();
    // Both return 0 after success and 1 after a failure.
    int handleNameReply(std::uint32_t lparam);
    int handleAddressReply(std::uint32_t lparam);

private:
    void markPending(RequestHandle handle);
    int finishReply(std::uint32_t lparam);
    int reportFailure(int error);

    LookupState& state_;
    Resolver& resolver_;
    LookupView& view_;
    HostentBuffer& buffer_;
};

// Cancels the request still outstanding when the program ends.
void cancelAtExit(LookupState& state, Resolver& resolver);

// The catalogue message for a resolver error number.
unsigned messageForError(int error);

} // namespace lookwell

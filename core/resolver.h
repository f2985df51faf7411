#pragma once

#include "core/reply_window.h"

#include <cstdint>
#include <span>
#include <string>

namespace lookwell {

// The asynchronous resolver library; each operation names the Windows Sockets
// call it stands in for. A started request ends with exactly one reply to its
// window (unless it is cancelled first): the reply message with the handle as
// word parameter and makeReplyParam(error, length) as long parameter.
// The buffer is written only on the user-interface thread, right before the
// reply is dispatched, so it must stay valid until the reply or a cancel.
class Resolver {
public:
    virtual ~Resolver() = default;

    // WSAStartup: 0 when the library is ready, otherwise a Windows Sockets error number.
    virtual int startup() = 0;
    // WSACleanup: stops the library; requests still running are cancelled, never waited for.
    virtual void cleanup() = 0;

    // WSAAsyncGetHostByName.
    virtual RequestHandle lookupByName(ReplyWindow& window, unsigned message,
                                       const std::string& name, std::span<char> buffer) = 0;
    // WSAAsyncGetHostByAddr. address: in network byte order; family:
    // kAddressFamilyInet with 4 bytes.
    virtual RequestHandle lookupByAddress(ReplyWindow& window, unsigned message,
                                          std::span<const std::uint8_t> address, int family,
                                          std::span<char> buffer) = 0;

    // WSACancelAsyncRequest: 0 when the request was still outstanding and is now cancelled.
    virtual int cancel(RequestHandle handle) = 0;
};

// The long parameter of a reply: error in the high 16 bits, reply length in the low 16.
constexpr std::uint32_t makeReplyParam(int error, std::uint16_t length) {
    return (static_cast<std::uint32_t>(error) << 16) | length;
}
constexpr int replyError(std::uint32_t lparam) {
    return static_cast<int>(lparam >> 16);
}

} // namespace lookwell

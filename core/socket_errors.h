#pragma once

namespace lookwell::wsa {

// Windows Sockets error numbers: the resolver reports its conditions with these
// and the lookup replies map them to catalogue messages.
inline constexpr int kInvalidArgument = 10022;
inline constexpr int kAddressFamilyNotSupported = 10047;
inline constexpr int kNetworkDown = 10050;
inline constexpr int kNoBufferSpace = 10055;
inline constexpr int kNotInitialised = 10093;
inline constexpr int kHostNotFound = 11001;
inline constexpr int kTryAgain = 11002;
inline constexpr int kNoRecovery = 11003;
inline constexpr int kNoData = 11004;

} // namespace lookwell::wsa

#pragma once

#include <cstdint>
#include <string_view>

namespace lookwell {

// Results in the Windows system error-code space, so that callers and the update
// checker's own tools read the same numbers on every platform.
using Status = std::uint32_t;

namespace status {
inline constexpr Status kSuccess = 0;
inline constexpr Status kInvalidFunction = 1;
inline constexpr Status kNotFound = 2;
inline constexpr Status kTooManyOpenFiles = 4;
inline constexpr Status kAccessDenied = 5;
inline constexpr Status kInvalidHandle = 6;
inline constexpr Status kNotEnoughMemory = 8;
inline constexpr Status kGeneralFailure = 31;
inline constexpr Status kInvalidParameter = 87;
inline constexpr Status kDiskFull = 112;
inline constexpr Status kAlreadyExists = 183;
inline constexpr Status kIoDevice = 1117;
} // namespace status

// An open key; only meaningful to the store that handed it out.
using KeyHandle = int;

// The per-user settings store, standing in for the registry below
// HKEY_CURRENT_USER; each operation names the call it stands in for. Keys are
// named by backslash-separated paths below the user's root, each holding named
// string and 32-bit values. Names compare without regard to ASCII case. Every
// operation returns 0 or a system error code.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // RegOpenKeyExA then RegCloseKey: 0 when the key exists; it is opened for
    // querying only and closed at once.
    virtual Status testKey(std::string_view path) = 0;
    // RegCreateKeyExA: opens the key for writing, creating every missing key on the path.
    virtual Status createKey(std::string_view path, KeyHandle& key) = 0;
    // RegSetValueExA with REG_SZ: stores exactly the given bytes; no terminating zero is added.
    virtual Status setString(KeyHandle key, std::string_view name, std::string_view data) = 0;
    // RegSetValueExA with REG_DWORD.
    virtual Status setDword(KeyHandle key, std::string_view name, std::uint32_t data) = 0;
    // RegDeleteValueA: removes the value whatever its type; 2 when there is none.
    virtual Status deleteValue(KeyHandle key, std::string_view name) = 0;
    // RegDeleteKeyA: removes a key with its values; 5 while it still has subkeys.
    virtual Status deleteKey(std::string_view path) = 0;
    // RegCloseKey.
    virtual void closeKey(KeyHandle key) = 0;
};

} // namespace lookwell

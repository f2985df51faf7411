#pragma once

#include "registration/settings_store.h"

#include <string>
#include <string_view>
#include <vector>

namespace lookwell::store_names {

// Longest file name the store writes, suffix included (NAME_MAX on Linux).
inline constexpr std::size_t kMaxFileName = 255;

inline constexpr std::string_view kStringSuffix = ".sz";
inline constexpr std::string_view kDwordSuffix = ".dword";
// Temporary files start with this; no key or value name is ever written so.
inline constexpr std::string_view kTemporaryPrefix = ".~";

// A key or value name as a file name: bytes outside A-Za-z0-9._@+- become %XX,
// so no name can carry a separator or any other character a shell trips over.
std::string encode(std::string_view name);

// 0 for a name that can be stored under a file name of at most `room` bytes;
// 87 for an empty name, "." and "..", an embedded zero byte, or one too long.
Status check(std::string_view name, std::size_t room = kMaxFileName);

// Splits a backslash-separated key path into checked names (87 when one is bad).
Status splitKeyPath(std::string_view path, std::vector<std::string_view>& names);

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace lookwell::store_names

#pragma once

#include "registration/settings_store.h"

#include <string>
#include <string_view>
#include <vector>

// How key and value names become file names. Keys are directories, values are
// files ending in their type's suffix; the rules below keep the two name spaces
// apart whatever bytes a name holds, so a key and a value never meet on disk.
namespace lookwell::store_names {

// Longest file name the store writes, suffix included (NAME_MAX on Linux).
inline constexpr std::size_t kMaxFileName = 255;

inline constexpr std::string_view kStringSuffix = ".sz";
inline constexpr std::string_view kDwordSuffix = ".dword";
// Temporary files start with this; no key or value name is ever written so.
inline constexpr std::string_view kTemporaryPrefix = ".~";
// A temporary file whose writer could take no lock on it (the file system keeps
// none) says so in its name: a cleaner that has locks must not take it for one
// that a killed writer left unlocked.
inline constexpr std::string_view kUnlockedTemporaryPrefix = ".~~";

// Room for a value name: the same for both types, so a value can always change
// type, and set by the longer suffix.
inline constexpr std::size_t kValueNameRoom = kMaxFileName - kDwordSuffix.size();

// A key's directory name: bytes outside A-Za-z0-9._@+- become %XX (upper-case
// hex), so no name can carry a separator or a byte a shell trips over. A name
// that would then end in a value suffix (in any case) has that suffix's dot
// written as %2E, so no directory ever looks like a value.
std::string keyFileName(std::string_view name);
// A value's file name: the same escaping, then the type's suffix.
std::string valueFileName(std::string_view name, std::string_view suffix);

// 0 for a key name whose directory name fits; 87 for an empty name, "." and
// "..", one with a zero byte, or one whose directory name would be longer than
// 255 bytes.
Status checkKeyName(std::string_view name);
// The same for a value name, whose file name without suffix must fit in 249 bytes.
Status checkValueName(std::string_view name);

// Splits a backslash-separated key path into checked names (87 when one is bad).
Status splitKeyPath(std::string_view path, std::vector<std::string_view>& names);

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b);
bool endsWithIgnoringAsciiCase(std::string_view text, std::string_view ending);

} // namespace lookwell::store_names

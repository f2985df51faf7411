#pragma once

#include "registration/tidemark_registration.h"
#include "version_info.h"

#include <cstdint>

namespace lookwell {

// Lookwell's own entry for the update checker. The maker's identity is a
// placeholder under a domain reserved for examples until it is settled.
namespace lookwell_entry {
inline constexpr char kVendor[] = "taro.yamada@example.com";
// 山田太郎 (Yamada Taro) in Shift_JIS, the code page the entry is read in.
inline constexpr char kAuthor[] = "\x8E\x52\x93\x63\x91\xBE\x98\x59";
inline constexpr char kInfoUrl[] = "https://www.example.com/lookwell/update.inf";
inline constexpr char kDisplayHost[] = "www.example.com";
inline constexpr char kProduct[] = "Lookwell";
inline constexpr std::uint32_t kBuild = version::kBuildNumber;
inline constexpr const char* kDisplayName = version::kProductName;
inline constexpr std::uint32_t kIconIndex = 1;
} // namespace lookwell_entry

// Records Lookwell through `registration` (a null path records none) and leaves
// no vendor open. Failures change nothing for the caller, so nothing is returned.
void RegisterWithTidemark(TidemarkRegistration& registration, const char* executablePath);

// The start-up step: records the program at `executablePath` (null: none) in
// the current user's store.
void RegisterWithTidemark(const char* executablePath);

} // namespace lookwell

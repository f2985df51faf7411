#pragma once

namespace lookwell::version {

inline constexpr char kProductName[] = "Lookwell for Winsock32";
inline constexpr char kShortVersion[] = "1.7";

// The program's version record as one text, so that `strings lookwell` finds it.
inline constexpr char kRecord[] = "Lookwell version record: FileVersion 1.7.0.7; "
                                  "ProductVersion 1.7.0.4; "
                                  "Comments Simple DNS lookup utility; "
                                  "FileDescription Lookwell Application for 32bit Windows; "
                                  "InternalName LOOKWELL; OriginalFilename LOOKWELL.EXE; "
                                  "ProductName Lookwell for Winsock32";

} // namespace lookwell::version

#pragma once

#include <string>
#include <string_view>

namespace lookwell {

// The application's name, the caption of every message box: the executable's
// file name without its extension ("/opt/bin/Lookwell.bin" gives "Lookwell").
// A leading dot starts the name, not an extension.
std::string programName(std::string_view executablePath);

} // namespace lookwell

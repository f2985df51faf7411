#pragma once

#include <optional>
#include <string>

namespace lookwell {

// The running program's full path, however long; none when it cannot be read.
std::optional<std::string> runningExecutablePath();

} // namespace lookwell

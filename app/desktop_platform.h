#pragma once

#include "core/command_line.h"

namespace lookwell {

// Asks Qt for another window-system plugin than its own choice where that
// serves the desktop better (platformInsteadOfQtsChoice). Call it before the
// application object exists.
void choosePlatformForDesktop(const CommandLine& commandLine);

} // namespace lookwell

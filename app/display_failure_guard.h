#pragma once

#include "core/command_line.h"

namespace lookwell {

// While it lives, Qt's messages are held back instead of printed. Qt ends the
// process with abort() when its window-system plugin cannot start, typically
// because no display can be reached; the guard turns that into one sentence on
// standard error and exit status 1. Nothing is checked unless Qt fails, so a
// normal start pays nothing. Build it right before the application object and
// end it right after: then the held messages are printed as Qt would have.
class DisplayFailureGuard {
public:
    explicit DisplayFailureGuard(const CommandLine& commandLine);
    ~DisplayFailureGuard();

    DisplayFailureGuard(const DisplayFailureGuard&) = delete;
    DisplayFailureGuard& operator=(const DisplayFailureGuard&) = delete;
};

} // namespace lookwell

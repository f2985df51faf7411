#pragma once

#include "core/command_line.h"

#include <optional>
#include <string>

namespace lookwell {

// The environment that decides which display Qt opens.
struct DisplayEnvironment {
    std::string qpaPlatform;    // QT_QPA_PLATFORM
    std::string x11Display;     // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string runtimeDir;     // XDG_RUNTIME_DIR
    std::string sessionType;    // XDG_SESSION_TYPE

    static DisplayEnvironment fromProcess();
};

// Asked once Qt has failed to start its window-system plugin: the sentence that
// explains the failure when every plugin Qt tried needs a display and none of
// those displays can be reached; none when the failure has another cause.
std::optional<std::string> unreachableDisplaySentence(const CommandLine& commandLine,
                                                      const DisplayEnvironment& environment);

// Whether a display server listens where an X11 display name ("host:N.S",
// ":N", "unix:N") or a Wayland display (a socket name below runtimeDir, or an
// absolute path) points. Only the socket is tried: no protocol is spoken.
bool x11DisplayListens(const std::string& display);
bool waylandDisplayListens(const std::string& display, const std::string& runtimeDir);

} // namespace lookwell

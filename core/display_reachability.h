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
};

// Whether a display server listens where an X11 display name ("host:N.S",
// ":N", "unix:N") or a Wayland display (a socket name below runtimeDir, or an
// absolute path) points.
class DisplayProbe {
public:
    virtual ~DisplayProbe() = default;
    virtual bool x11DisplayListens(const std::string& display) const = 0;
    virtual bool waylandDisplayListens(const std::string& display,
                                       const std::string& runtimeDir) const = 0;
};

// Asked once Qt has failed to start its window-system plugin: the sentence that
// explains the failure when every plugin Qt tried needs a display and none of
// those displays can be reached; none when the failure has another cause.
std::optional<std::string> unreachableDisplaySentence(const CommandLine& commandLine,
                                                      const DisplayEnvironment& environment,
                                                      const DisplayProbe& probe);

} // namespace lookwell

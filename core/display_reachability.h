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
    std::string desktop;        // XDG_CURRENT_DESKTOP
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

// The window-system plugin to ask Qt for instead of its own choice, if any; a
// choice of the user's (QT_QPA_PLATFORM, -platform) always stands. On GNOME's
// Wayland every client draws its own title bar, and a Qt without a decoration
// made for GNOME (before 6.8, whose "bradient" draws minimize and maximize on
// every window and cuts long titles short) offers controls that a fixed-size
// window and a modal box cannot honour. There Lookwell runs on Xwayland, whose
// title bars mutter draws by each window's hints, as Qt 5 did on GNOME.
std::optional<std::string> platformInsteadOfQtsChoice(const CommandLine& commandLine,
                                                      const DisplayEnvironment& environment,
                                                      const DisplayProbe& probe,
                                                      bool qtDecoratesForGnome);

} // namespace lookwell

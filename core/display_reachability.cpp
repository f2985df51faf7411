#include "core/display_reachability.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace lookwell {

namespace {

std::vector<std::string> platformsTried(const CommandLine& commandLine,
                                        const DisplayEnvironment& environment) {
    const std::string& chosen =
        commandLine.platform.empty() ? environment.qpaPlatform : commandLine.platform;
    if (chosen.empty()) {
        return {environment.sessionType == "wayland" ? "wayland" : "xcb"};
    }
    // "wayland;xcb" is tried in that order; ":options" follow a plugin's name.
    std::vector<std::string> platforms;
    std::string_view rest = chosen;
    while (!rest.empty()) {
        const std::string_view entry = rest.substr(0, rest.find(';'));
        platforms.emplace_back(entry.substr(0, entry.find(':')));
        rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
    }
    return platforms;
}

struct TriedDisplay {
    bool listens;
    std::string description;
};

TriedDisplay x11Display(const CommandLine& commandLine, const DisplayEnvironment& environment,
                        const DisplayProbe& probe) {
    const bool fromOption = !commandLine.display.empty();
    const std::string& display = fromOption ? commandLine.display : environment.x11Display;
    if (display.empty()) {
        return {false, "an X display (DISPLAY is not set)"};
    }
    return {probe.x11DisplayListens(display),
            "the X display \"" + display + "\" (" + (fromOption ? "-display" : "DISPLAY") + ")"};
}

TriedDisplay waylandDisplay(const DisplayEnvironment& environment, const DisplayProbe& probe) {
    const bool given = !environment.waylandDisplay.empty();
    const std::string display = given ? environment.waylandDisplay : "wayland-0";
    return {probe.waylandDisplayListens(display, environment.runtimeDir),
            "the Wayland display \"" + display + "\" (" +
                (given ? "WAYLAND_DISPLAY" : "WAYLAND_DISPLAY is not set") + ")"};
}

bool isGnome(std::string_view desktops) {
    // A list such as "ubuntu:GNOME".
    while (!desktops.empty()) {
        const std::string_view desktop = desktops.substr(0, desktops.find(':'));
        if (desktop == "GNOME") {
            return true;
        }
        desktops.remove_prefix(std::min(desktops.size(), desktop.size() + 1));
    }
    return false;
}

} // namespace

std::optional<std::string> unreachableDisplaySentence(const CommandLine& commandLine,
                                                      const DisplayEnvironment& environment,
                                                      const DisplayProbe& probe) {
    std::string tried;
    for (const std::string& platform : platformsTried(commandLine, environment)) {
        TriedDisplay display{};
        if (platform == "xcb") {
            display = x11Display(commandLine, environment, probe);
        } else if (platform.starts_with("wayland")) {
            display = waylandDisplay(environment, probe);
        } else {
            return std::nullopt; // a plugin that needs no display server failed
        }
        if (display.listens) {
            return std::nullopt;
        }
        tried += (tried.empty() ? "" : " or ") + display.description;
    }
    // Only what every user has: the installed program has no source tree beside it.
    return "lookwell: cannot reach " + tried +
           "; start Lookwell in a graphical session, or over SSH with X forwarding (ssh -X).\n";
}

std::optional<std::string> platformInsteadOfQtsChoice(const CommandLine& commandLine,
                                                      const DisplayEnvironment& environment,
                                                      const DisplayProbe& probe,
                                                      bool qtDecoratesForGnome) {
    const std::string& display =
        commandLine.display.empty() ? environment.x11Display : commandLine.display;
    if (qtDecoratesForGnome || !commandLine.platform.empty() || !environment.qpaPlatform.empty() ||
        environment.sessionType != "wayland" || !isGnome(environment.desktop) ||
        !probe.x11DisplayListens(display)) {
        return std::nullopt;
    }
    return "xcb";
}

} // namespace lookwell

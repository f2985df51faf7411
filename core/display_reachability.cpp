#include "core/display_reachability.h"

#include <cstdlib>
#include <cstring>
#include <netdb.h>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace lookwell {

namespace {

constexpr int kX11BasePort = 6000;

std::string environmentText(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

bool connects(int family, const sockaddr* address, socklen_t length) {
    const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool connected = ::connect(fd, address, length) == 0;
    ::close(fd);
    return connected;
}

// A leading zero byte in `path` names a socket in the abstract namespace.
bool unixSocketListens(std::string_view path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() +
                                               (path.front() == '\0' ? 0 : 1));
    return connects(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length);
}

bool tcpListens(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return false;
    }
    bool listens = false;
    for (const addrinfo* entry = found; entry != nullptr && !listens; entry = entry->ai_next) {
        listens = connects(entry->ai_family, entry->ai_addr, entry->ai_addrlen);
    }
    ::freeaddrinfo(found);
    return listens;
}

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

TriedDisplay x11Display(const CommandLine& commandLine, const DisplayEnvironment& environment) {
    const bool fromOption = !commandLine.display.empty();
    const std::string& display = fromOption ? commandLine.display : environment.x11Display;
    if (display.empty()) {
        return {false, "an X display (DISPLAY is not set)"};
    }
    return {x11DisplayListens(display),
            "the X display \"" + display + "\" (" + (fromOption ? "-display" : "DISPLAY") + ")"};
}

TriedDisplay waylandDisplay(const DisplayEnvironment& environment) {
    const bool given = !environment.waylandDisplay.empty();
    const std::string display = given ? environment.waylandDisplay : "wayland-0";
    return {waylandDisplayListens(display, environment.runtimeDir),
            "the Wayland display \"" + display + "\" (" +
                (given ? "WAYLAND_DISPLAY" : "WAYLAND_DISPLAY is not set") + ")"};
}

} // namespace

DisplayEnvironment DisplayEnvironment::fromProcess() {
    return {environmentText("QT_QPA_PLATFORM"), environmentText("DISPLAY"),
            environmentText("WAYLAND_DISPLAY"), environmentText("XDG_RUNTIME_DIR"),
            environmentText("XDG_SESSION_TYPE")};
}

bool x11DisplayListens(const std::string& display) {
    const auto colon = display.rfind(':');
    if (colon == std::string::npos) {
        return false;
    }
    std::string host = display.substr(0, colon);
    const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos ||
        number.size() > 4) {
        return false;
    }
    if (host.empty() || host == "unix") {
        const std::string path = "/tmp/.X11-unix/X" + number;
        return unixSocketListens(std::string(1, '\0') + path) || unixSocketListens(path);
    }
    if (host.starts_with("tcp/")) {
        host.erase(0, 4);
    }
    return tcpListens(host, kX11BasePort + std::stoi(number));
}

bool waylandDisplayListens(const std::string& display, const std::string& runtimeDir) {
    if (display.starts_with('/')) {
        return unixSocketListens(display);
    }
    return !runtimeDir.empty() && unixSocketListens(runtimeDir + "/" + display);
}

std::optional<std::string> unreachableDisplaySentence(const CommandLine& commandLine,
                                                      const DisplayEnvironment& environment) {
    std::string tried;
    for (const std::string& platform : platformsTried(commandLine, environment)) {
        TriedDisplay display{};
        if (platform == "xcb") {
            display = x11Display(commandLine, environment);
        } else if (platform.starts_with("wayland")) {
            display = waylandDisplay(environment);
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

} // namespace lookwell

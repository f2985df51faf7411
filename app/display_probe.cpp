#include "app/display_probe.h"

#include <cstdlib>
#include <cstring>
#include <netdb.h>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

} // namespace

DisplayEnvironment displayEnvironmentFromProcess() {
    return {environmentText("QT_QPA_PLATFORM"),  environmentText("DISPLAY"),
            environmentText("WAYLAND_DISPLAY"),  environmentText("XDG_RUNTIME_DIR"),
            environmentText("XDG_SESSION_TYPE"), environmentText("XDG_CURRENT_DESKTOP")};
}

bool SocketDisplayProbe::x11DisplayListens(const std::string& display) const {
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

bool SocketDisplayProbe::waylandDisplayListens(const std::string& display,
                                               const std::string& runtimeDir) const {
    if (display.starts_with('/')) {
        return unixSocketListens(display);
    }
    return !runtimeDir.empty() && unixSocketListens(runtimeDir + "/" + display);
}

} // namespace lookwell

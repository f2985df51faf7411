#include "app/display_probe.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lookwell {
namespace {

// A listening socket, closed (and so unreachable) when it goes.
class Listener {
public:
    // A path that starts with a zero byte is in the abstract namespace.
    explicit Listener(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.data(), path.size());
        listenOn(reinterpret_cast<sockaddr*>(&address),
                 static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size()));
    }
    // On 127.0.0.1, at the first free X11 display port from 6100 on.
    Listener() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        for (display_ = 100; display_ < 200 && !bound_; ++display_) {
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(static_cast<uint16_t>(6000 + display_));
            listenOn(reinterpret_cast<sockaddr*>(&address), sizeof(address));
        }
        --display_;
    }
    ~Listener() { ::close(fd_); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    int display() const { return display_; }

private:
    void listenOn(const sockaddr* address, socklen_t size) {
        bound_ = ::bind(fd_, address, size) == 0 && ::listen(fd_, 1) == 0;
    }

    int fd_;
    int display_ = 0;
    bool bound_ = false;
};

TEST(SocketDisplayProbe, AnX11ServerThatListensIsReachable) {
    const SocketDisplayProbe probe;
    std::string display;
    {
        const Listener server;
        display = "127.0.0.1:" + std::to_string(server.display()) + ".0";
        EXPECT_TRUE(probe.x11DisplayListens(display));
        DisplayEnvironment environment;
        environment.x11Display = display;
        EXPECT_FALSE(unreachableDisplaySentence({}, environment, probe));
    }
    EXPECT_FALSE(probe.x11DisplayListens(display));
    // A local server, as X.Org listens: in the abstract namespace.
    const std::string number = std::to_string(700 + ::getpid() % 100);
    {
        const Listener server(std::string(1, '\0') + "/tmp/.X11-unix/X" + number);
        EXPECT_TRUE(probe.x11DisplayListens(":" + number));
        EXPECT_TRUE(probe.x11DisplayListens("unix:" + number + ".0"));
    }
    EXPECT_FALSE(probe.x11DisplayListens(":" + number));
    for (const char* malformed : {"", "nonsense", ":", ":x", "host:99999"}) {
        EXPECT_FALSE(probe.x11DisplayListens(malformed)) << malformed;
    }
}

TEST(SocketDisplayProbe, WaylandSocketsBelowTheRuntimeDirectoryOrAtAPath) {
    const SocketDisplayProbe probe;
    const auto runtimeDir =
        std::filesystem::temp_directory_path() / ("lookwell-display-" + std::to_string(::getpid()));
    std::filesystem::create_directories(runtimeDir);
    DisplayEnvironment environment{"wayland;xcb", "", "wayland-7", runtimeDir.string(), "", ""};
    {
        const Listener compositor((runtimeDir / "wayland-7").string());
        EXPECT_FALSE(unreachableDisplaySentence({}, environment, probe));
        EXPECT_TRUE(probe.waylandDisplayListens((runtimeDir / "wayland-7").string(), ""));
        EXPECT_FALSE(probe.waylandDisplayListens("wayland-7", ""));
    }
    std::filesystem::remove_all(runtimeDir);
    EXPECT_FALSE(probe.waylandDisplayListens("wayland-7", runtimeDir.string()));
}
} // namespace
} // namespace lookwell

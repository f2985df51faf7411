#include "tests/registration/private_mount.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lookwell::test_support {
namespace {

constexpr std::string_view kSkipMark = "SKIP:";

bool writeText(const char* file, const std::string& text) {
    const int fd = open(file, O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return written;
}

// Root may make a mount namespace directly; anyone else through a user namespace
// in which they are root.
std::string enterMountNamespace() {
    if (unshare(CLONE_NEWNS) == 0) {
        return {};
    }
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        return std::string("no mount namespace: ") + std::strerror(errno);
    }
    if (!writeText("/proc/self/setgroups", "deny") ||
        !writeText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !writeText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
        return std::string("no user namespace mapping: ") + std::strerror(errno);
    }
    return {};
}

std::string runInChild(const std::string& directory, const std::string& options,
                       const std::function<std::string()>& body) {
    std::string reason = enterMountNamespace();
    if (reason.empty() && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        reason = std::string("cannot make mounts private: ") + std::strerror(errno);
    }
    if (reason.empty() && mount("tmpfs", directory.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        reason = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
    }
    return reason.empty() ? body() : std::string(kSkipMark) + reason;
}

std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got < 0 ? 0 : got));
    }
    return text;
}

} // namespace

IsolatedRun runOnPrivateTmpfs(const std::string& directory, const std::string& options,
                              const std::function<std::string()>& body) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        return {"no pipe", {}};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        const std::string report = runInChild(directory, options, body);
        const bool sent =
            write(pipeFds[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        _exit(sent ? 0 : 1);
    }
    close(pipeFds[1]);
    std::string report = child > 0 ? readAll(pipeFds[0]) : std::string(kSkipMark) + "no fork";
    close(pipeFds[0]);
    int childStatus = 0;
    if (child > 0 && (waitpid(child, &childStatus, 0) != child || childStatus != 0)) {
        report = "child failed with status " + std::to_string(childStatus);
    }
    if (report.starts_with(kSkipMark)) {
        return {report.substr(kSkipMark.size()), {}};
    }
    return {{}, report};
}

bool remountReadOnly(const std::string& directory) {
    return mount(nullptr, directory.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

} // namespace lookwell::test_support

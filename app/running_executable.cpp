#include "app/running_executable.h"

#include <new>
#include <unistd.h>

namespace lookwell {
namespace {

constexpr std::size_t kFirstPathBuffer = 256;
constexpr std::size_t kLongestPath = 64 * 1024;

} // namespace

std::optional<std::string> runningExecutablePath() {
    try {
        // The link's length is only known once it fits: grow until it does.
        for (std::string path(kFirstPathBuffer, '\0'); path.size() <= kLongestPath;
             path.resize(path.size() * 2)) {
            const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
            if (length <= 0) {
                return std::nullopt;
            }
            if (static_cast<std::size_t>(length) < path.size()) {
                path.resize(static_cast<std::size_t>(length));
                return path;
            }
        }
    } catch (const std::bad_alloc&) {
    }
    return std::nullopt;
}

} // namespace lookwell

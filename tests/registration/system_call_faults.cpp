// Stands in for the C library's renameat(), write() and flock() in the test
// program, so a test can catch the store between the write of a value and its
// rename, make a write return 0, act before a lock, or take the locks away.
#include "tests/registration/system_call_faults.h"

#include <cerrno>
#include <dlfcn.h>
#include <unistd.h>
#include <utility>

namespace {
int stopReadyFd = -1;
bool writesStall = false;
int flockError = 0;
std::function<void(int)> lockInterference;

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}
} // namespace

namespace lookwell::test_support {

void stopAtNextRename(int readyFd) {
    stopReadyFd = readyFd;
}

void beforeNextLock(std::function<void(int)> interference) {
    lockInterference = std::move(interference);
}

WritesWithoutProgress::WritesWithoutProgress() {
    writesStall = true;
}

WritesWithoutProgress::~WritesWithoutProgress() {
    writesStall = false;
}

LocksFail::LocksFail(int error) {
    flockError = error;
}

LocksFail::~LocksFail() {
    flockError = 0;
}

} // namespace lookwell::test_support

extern "C" int renameat(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath) {
    if (stopReadyFd >= 0) {
        const char ready = 'r';
        if (write(stopReadyFd, &ready, 1) == 1) {
            for (;;) {
                pause();
            }
        }
    }
    using Rename = int (*)(int, const char*, int, const char*);
    static const auto real = next<Rename>("renameat");
    return real(oldDirFd, oldPath, newDirFd, newPath);
}

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    if (writesStall && fd > STDERR_FILENO) {
        return 0;
    }
    using Write = ssize_t (*)(int, const void*, size_t);
    static const auto real = next<Write>("write");
    return real(fd, data, size);
}

extern "C" int flock(int fd, int operation) {
    using Flock = int (*)(int, int);
    static const auto real = next<Flock>("flock");
    if (lockInterference) {
        std::exchange(lockInterference, nullptr)(fd);
    }
    return flockError != 0 ? (errno = flockError, -1) : real(fd, operation);
}

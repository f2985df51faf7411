// Stands in for the C library's renameat() in the test program, so a test can
// catch the store between the write of a value and its rename.
#include "tests/registration/stopping_rename.h"

#include <dlfcn.h>
#include <stdio.h>
#include <unistd.h>

namespace {
int stopReadyFd = -1;
} // namespace

namespace lookwell::test_support {

void stopAtNextRename(int readyFd) {
    stopReadyFd = readyFd;
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
    static const auto next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "renameat"));
    return next(oldDirFd, oldPath, newDirFd, newPath);
}

#pragma once

#include <functional>

namespace lookwell::test_support {

// Makes the next renameat() of this process write one byte to `readyFd` and then
// wait for ever instead of renaming: a writer caught between writing its
// temporary file and renaming it, ready to be killed.
void stopAtNextRename(int readyFd);

// Makes the next flock() of this process first call `interference` with its
// descriptor: another process acting between a file's creation and its lock.
void beforeNextLock(std::function<void(int)> interference);

// While one lives, write() to any descriptor but the standard ones writes
// nothing and returns 0, as a device that makes no progress would.
class WritesWithoutProgress {
public:
    WritesWithoutProgress();
    ~WritesWithoutProgress();
    WritesWithoutProgress(const WritesWithoutProgress&) = delete;
    WritesWithoutProgress& operator=(const WritesWithoutProgress&) = delete;
};

// While one lives, flock() fails with `error` (0: works), as on a file system
// that keeps no locks.
class LocksFail {
public:
    explicit LocksFail(int error);
    ~LocksFail();
    LocksFail(const LocksFail&) = delete;
    LocksFail& operator=(const LocksFail&) = delete;
};

} // namespace lookwell::test_support

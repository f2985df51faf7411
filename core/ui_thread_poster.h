#pragma once

#include <functional>

namespace lookwell {

// Hands work from any thread to the user-interface thread's event queue.
// post() is thread-safe; the task runs later, on the user-interface thread.
class UiThreadPoster {
public:
    virtual ~UiThreadPoster() = default;
    virtual void post(std::function<void()> task) = 0;
};

} // namespace lookwell

#pragma once

#include "core/ui_thread_poster.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace lookwell::test_support {

// Stands in for the user-interface thread's event queue: tasks posted from any
// thread wait until the test drains the queue on its own thread.
class QueuedUiThreadPoster : public UiThreadPoster {
public:
    void post(std::function<void()> task) override {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        posted_.notify_all();
    }

    // Waits, at most timeout, until count tasks are queued.
    bool waitForTasks(std::size_t count,
                      std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
        std::unique_lock lock(mutex_);
        return posted_.wait_for(lock, timeout, [&] { return tasks_.size() >= count; });
    }

    std::size_t queued() {
        const std::lock_guard lock(mutex_);
        return tasks_.size();
    }

    // Runs the queued tasks, including any they post themselves; returns how many ran.
    std::size_t drain() {
        std::size_t ran = 0;
        while (auto task = takeFirst()) {
            task();
            ++ran;
        }
        return ran;
    }

private:
    std::function<void()> takeFirst() {
        const std::lock_guard lock(mutex_);
        if (tasks_.empty()) {
            return {};
        }
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        return task;
    }

    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

} // namespace lookwell::test_support

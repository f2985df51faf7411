#pragma once

#include "core/resolver/posix_resolver.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace lookwell::test_support {

// Starts detached threads like the real starter, or refuses to when told, and
// lets the test wait until every thread it started has run to its end.
class CountingThreadStarter {
public:
    ThreadStarter starter() {
        return [state = state_](std::function<void()> work) {
            if (state->refuse) {
                return false;
            }
            // Counted before the thread exists, which may finish at once; a
            // thread that could not be made is taken back off the count.
            state->change(state->started, +1);
            const bool started = startDetachedThread([state, work = std::move(work)]() mutable {
                work();
                work = nullptr; // what the work holds is released before it counts as finished
                state->change(state->finished, +1);
            });
            if (!started) {
                state->change(state->started, -1);
            }
            return started;
        };
    }

    void refuseThreads() { state_->refuse = true; }

    bool waitUntilAllFinished() {
        std::unique_lock lock(state_->mutex);
        return state_->changed.wait_for(lock, std::chrono::seconds(60),
                                        [&] { return state_->finished == state_->started; });
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        int started = 0;
        int finished = 0;
        bool refuse = false; // set before any thread starts

        void change(int& count, int by) {
            const std::lock_guard lock(mutex);
            count += by;
            changed.notify_all();
        }
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace lookwell::test_support

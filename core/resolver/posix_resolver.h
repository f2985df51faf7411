#pragma once

#include "core/resolver.h"
#include "core/resolver/glibc_host_database.h"
#include "core/ui_thread_poster.h"

#include <functional>
#include <memory>

namespace lookwell {

// Runs work on a new thread of its own; false when no thread could be made.
using ThreadStarter = std::function<bool(std::function<void()> work)>;
bool startDetachedThread(std::function<void()> work);

class RequestTable;
class WorkerMailbox;

// The asynchronous resolver on POSIX: one detached worker thread per request
// runs the blocking lookup, and its outcome is posted to the user-interface
// thread, where the caller's buffer is written right before the reply. Workers
// share only reference-counted state with the resolver, so the resolver never
// waits for one and may be destroyed while some still run.
class PosixResolver : public Resolver {
public:
    explicit PosixResolver(
        UiThreadPoster& poster,
        std::shared_ptr<HostDatabase> database = std::make_shared<GlibcHostDatabase>(),
        ThreadStarter startThread = startDetachedThread);
    ~PosixResolver() override;
    PosixResolver(const PosixResolver&) = delete;
    PosixResolver& operator=(const PosixResolver&) = delete;

    int startup() override;
    void cleanup() override;
    RequestHandle lookupByName(ReplyWindow& window, unsigned message, const std::string& name,
                               std::span<char> buffer) override;
    RequestHandle lookupByAddress(ReplyWindow& window, unsigned message,
                                  std::span<const std::uint8_t> address, int family,
                                  std::span<char> buffer) override;
    int cancel(RequestHandle handle) override;

private:
    using Query = std::function<HostLookupOutcome(HostDatabase&)>;

    RequestHandle start(ReplyWindow& window, unsigned message, std::span<char> buffer, Query query);
    bool startWorker(RequestHandle handle, Query query);
    void replyLater(RequestHandle handle, int error);
    void stopLibrary();

    UiThreadPoster& poster_;
    std::shared_ptr<HostDatabase> database_;
    ThreadStarter startThread_;
    std::shared_ptr<RequestTable> requests_;
    std::shared_ptr<WorkerMailbox> mailbox_; // null while the library is stopped
    int startups_ = 0;
};

} // namespace lookwell

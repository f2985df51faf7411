#include "core/resolver/posix_resolver.h"

#include "core/hostent_buffer.h"
#include "core/socket_errors.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace lookwell {

struct PendingRequest {
    ReplyWindow* window;
    unsigned message;
    std::span<char> buffer;
};

// The requests still owed a reply. Touched on the user-interface thread only:
// workers merely carry a reference to it inside the task they post.
class RequestTable {
public:
    RequestHandle add(const PendingRequest& request) {
        const RequestHandle handle = ++lastHandle_;
        requests_.emplace(handle, request);
        return handle;
    }
    bool remove(RequestHandle handle) { return requests_.erase(handle) > 0; }
    void clear() { requests_.clear(); }

    // Writes the reply into the request's buffer and tells its window, unless
    // the request was cancelled in the meantime.
    void deliver(RequestHandle handle, const HostLookupOutcome& outcome) {
        const auto found = requests_.find(handle);
        if (found == requests_.end()) {
            return;
        }
        const PendingRequest request = found->second;
        requests_.erase(found);
        request.window->receiveReply(request.message, handle, packReply(outcome, request.buffer));
    }

private:
    // As Windows Sockets does, a reply that does not fit reports the size it needs.
    static std::uint32_t packReply(const HostLookupOutcome& outcome, std::span<char> buffer) {
        if (outcome.error != 0) {
            return makeReplyParam(outcome.error, 0);
        }
        if (const auto length = packHostEntry(outcome.record, buffer)) {
            return makeReplyParam(0, *length);
        }
        const std::size_t needed =
            std::min<std::size_t>(packedHostEntrySize(outcome.record), UINT16_MAX);
        return makeReplyParam(wsa::kNoBufferSpace, static_cast<std::uint16_t>(needed));
    }

    std::unordered_map<RequestHandle, PendingRequest> requests_;
    RequestHandle lastHandle_ = 0;
};

// The workers' only way to the user-interface thread. Once closed it drops
// everything: the poster, and whatever it posts to, may be gone by then.
class WorkerMailbox {
public:
    explicit WorkerMailbox(UiThreadPoster& poster) : poster_(&poster) {}

    void post(std::function<void()> task) {
        const std::lock_guard lock(mutex_);
        if (poster_ != nullptr) {
            poster_->post(std::move(task));
        }
    }
    void close() {
        const std::lock_guard lock(mutex_);
        poster_ = nullptr;
    }

private:
    std::mutex mutex_;
    UiThreadPoster* poster_;
};

namespace {

// A worker thread has nobody to throw to.
HostLookupOutcome runQuery(const std::function<HostLookupOutcome(HostDatabase&)>& query,
                           HostDatabase& database) {
    try {
        return query(database);
    } catch (const std::bad_alloc&) {
        return {wsa::kNoBufferSpace, {}};
    }
}

int addressArgumentError(std::span<const std::uint8_t> address, int family) {
    if (family != kAddressFamilyInet) {
        return wsa::kAddressFamilyNotSupported;
    }
    if (address.size() != sizeof(Ipv4Bytes)) {
        return wsa::kInvalidArgument;
    }
    return 0;
}

} // namespace

bool startDetachedThread(std::function<void()> work) {
    try {
        std::thread(std::move(work)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

PosixResolver::PosixResolver(UiThreadPoster& poster, std::shared_ptr<HostDatabase> database,
                             ThreadStarter startThread)
    : poster_(poster), database_(std::move(database)), startThread_(std::move(startThread)),
      requests_(std::make_shared<RequestTable>()) {}

PosixResolver::~PosixResolver() {
    stopLibrary();
}

int PosixResolver::startup() {
    ++startups_;
    if (mailbox_ == nullptr) {
        mailbox_ = std::make_shared<WorkerMailbox>(poster_);
    }
    return 0;
}

void PosixResolver::cleanup() {
    if (startups_ > 0 && --startups_ == 0) {
        stopLibrary();
    }
}

void PosixResolver::stopLibrary() {
    requests_->clear();
    if (mailbox_ != nullptr) {
        mailbox_->close();
        mailbox_.reset();
    }
}

RequestHandle PosixResolver::lookupByName(ReplyWindow& window, unsigned message,
                                          const std::string& name, std::span<char> buffer) {
    return start(window, message, buffer,
                 [name](HostDatabase& database) { return database.lookupByName(name); });
}

RequestHandle PosixResolver::lookupByAddress(ReplyWindow& window, unsigned message,
                                             std::span<const std::uint8_t> address, int family,
                                             std::span<char> buffer) {
    if (const int error = addressArgumentError(address, family); error != 0) {
        const RequestHandle handle = requests_->add({&window, message, buffer});
        replyLater(handle, error);
        return handle;
    }
    Ipv4Bytes bytes;
    std::copy(address.begin(), address.end(), bytes.begin());
    return start(window, message, buffer,
                 [bytes](HostDatabase& database) { return database.lookupByAddress(bytes); });
}

int PosixResolver::cancel(RequestHandle handle) {
    return requests_->remove(handle) ? 0 : wsa::kInvalidArgument;
}

RequestHandle PosixResolver::start(ReplyWindow& window, unsigned message, std::span<char> buffer,
                                   Query query) {
    const RequestHandle handle = requests_->add({&window, message, buffer});
    if (mailbox_ == nullptr) {
        replyLater(handle, wsa::kNotInitialised);
    } else if (!startWorker(handle, std::move(query))) {
        // Without a worker the request would stay pending for ever; Windows
        // Sockets reports an operation it cannot schedule with WSAENOBUFS.
        replyLater(handle, wsa::kNoBufferSpace);
    }
    return handle;
}

bool PosixResolver::startWorker(RequestHandle handle, Query query) {
    return startThread_([mailbox = mailbox_, database = database_, requests = requests_, handle,
                         query = std::move(query)] {
        const HostLookupOutcome outcome = runQuery(query, *database);
        mailbox->post([requests, handle, outcome] { requests->deliver(handle, outcome); });
    });
}

// A request that fails before any lookup still gets its reply, later, like any other.
void PosixResolver::replyLater(RequestHandle handle, int error) {
    poster_.post([requests = requests_, handle, error] { requests->deliver(handle, {error, {}}); });
}

} // namespace lookwell

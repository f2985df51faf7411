#pragma once

#include "core/hostent_buffer.h"

#include <string>

namespace lookwell {

// What one blocking lookup found: error is a Windows Sockets error number, and
// record is meaningful only when error is 0.
struct HostLookupOutcome {
    int error = 0;
    HostRecord record;
};

// The blocking lookups a resolver worker runs. Called from worker threads, so
// an implementation must allow concurrent calls.
class HostDatabase {
public:
    virtual ~HostDatabase() = default;
    virtual HostLookupOutcome lookupByName(const std::string& name) = 0;
    virtual HostLookupOutcome lookupByAddress(const Ipv4Bytes& address) = 0;
};

} // namespace lookwell

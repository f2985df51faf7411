#pragma once

#include "core/resolver/host_database.h"

namespace lookwell {

// The system's resolver (/etc/hosts, DNS, as nsswitch.conf says) through
// gethostbyname_r and gethostbyaddr_r, IPv4 only.
class GlibcHostDatabase : public HostDatabase {
public:
    HostLookupOutcome lookupByName(const std::string& name) override;
    HostLookupOutcome lookupByAddress(const Ipv4Bytes& address) override;
};

// The Windows Sockets error number for a failed lookup: hostError is the
// h_errno value, systemError the errno value that goes with NETDB_INTERNAL.
int socketErrorForHostError(int hostError, int systemError);

} // namespace lookwell

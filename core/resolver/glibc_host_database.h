#pragma once

#include "core/resolver/host_database.h"

struct hostent;

namespace lookwell {

// The system's resolver (/etc/hosts, DNS, as nsswitch.conf says) through
// gethostbyname_r and gethostbyaddr_r, IPv4 only; names in any script are
// asked in their ASCII form (asciiHostName).
class GlibcHostDatabase : public HostDatabase {
public:
    HostLookupOutcome lookupByName(const std::string& name) override;
    HostLookupOutcome lookupByAddress(const Ipv4Bytes& address) override;
};

// The Windows Sockets error number for a failed lookup: hostError is the
// h_errno value, systemError the errno value that goes with NETDB_INTERNAL.
int socketErrorForHostError(int hostError, int systemError);

// The outcome for an entry that a lookup returned: a name found with no IPv4
// address at all (another family, or an empty list) is no answer, 11004.
HostLookupOutcome outcomeOfEntry(const hostent& entry);

} // namespace lookwell

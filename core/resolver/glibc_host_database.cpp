#include "core/resolver/glibc_host_database.h"

#include "core/resolver/ascii_host_name.h"
#include "core/socket_errors.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>
#include <vector>

namespace lookwell {
namespace {

// One call, one query: the scratch space is never grown and the call never
// repeated, so ERANGE must already mean that the reply cannot fit the caller's
// 1024 bytes. glibc keeps there what the host entry's pointers refer to, the
// data packHostEntry packs behind its 32-byte record (measured with 2.36: a DNS
// answer needs the packed size less 32, plus at most 7 bytes of alignment; an
// /etc/hosts line needs its whole text). The largest DNS message's size leaves
// every reply that fits 1024 bytes ample room.
constexpr std::size_t kScratchSize = 64 * 1024;

void appendTexts(char** list, std::vector<std::string>& texts) {
    for (; list != nullptr && *list != nullptr; ++list) {
        texts.emplace_back(*list);
    }
}

void appendAddresses(const hostent& entry, std::vector<Ipv4Bytes>& addresses) {
    if (entry.h_addrtype != AF_INET || entry.h_length != sizeof(Ipv4Bytes)) {
        return;
    }
    for (char** address = entry.h_addr_list; address != nullptr && *address != nullptr; ++address) {
        Ipv4Bytes bytes;
        std::memcpy(bytes.data(), *address, bytes.size());
        addresses.push_back(bytes);
    }
}

// The result pointer decides success: h_errno can be set even when a result
// came back (seen with names from /etc/hosts).
template <typename ReentrantCall>
HostLookupOutcome runLookup(ReentrantCall call) {
    std::vector<char> scratch(kScratchSize);
    hostent entry{};
    hostent* result = nullptr;
    int hostError = 0;
    errno = 0;
    const int status = call(entry, scratch, &result, &hostError);
    if (result != nullptr) {
        return outcomeOfEntry(*result);
    }
    if (status == ERANGE) {
        return {wsa::kNoBufferSpace, {}};
    }
    return {socketErrorForHostError(hostError, status != 0 ? status : errno), {}};
}

} // namespace

int socketErrorForHostError(int hostError, int systemError) {
    switch (hostError) {
    case HOST_NOT_FOUND:
        return wsa::kHostNotFound;
    case TRY_AGAIN:
        return wsa::kTryAgain;
    case NO_RECOVERY:
        return wsa::kNoRecovery;
    case NO_DATA:
        return wsa::kNoData;
    default:
        break;
    }
    switch (systemError) {
    case ENETDOWN:
    case ENETUNREACH:
        return wsa::kNetworkDown;
    case ENOMEM:
        return wsa::kNoBufferSpace;
    default:
        return wsa::kNoRecovery;
    }
}

// A result without a single address is no answer to an address query.
HostLookupOutcome outcomeOfEntry(const hostent& entry) {
    HostLookupOutcome outcome;
    outcome.record.name = entry.h_name != nullptr ? entry.h_name : "";
    appendTexts(entry.h_aliases, outcome.record.aliases);
    appendAddresses(entry, outcome.record.addresses);
    if (outcome.record.addresses.empty()) {
        outcome.error = wsa::kNoData;
    }
    return outcome;
}

// glibc's resolver refuses a name that is not ASCII before it asks anyone.
HostLookupOutcome GlibcHostDatabase::lookupByName(const std::string& name) {
    const std::string asked = asciiHostName(name);
    return runLookup(
        [&asked](hostent& entry, std::vector<char>& scratch, hostent** result, int* hostError) {
            return gethostbyname_r(asked.c_str(), &entry, scratch.data(), scratch.size(), result,
                                   hostError);
        });
}

HostLookupOutcome GlibcHostDatabase::lookupByAddress(const Ipv4Bytes& address) {
    return runLookup(
        [&address](hostent& entry, std::vector<char>& scratch, hostent** result, int* hostError) {
            return gethostbyaddr_r(address.data(), sizeof(Ipv4Bytes), AF_INET, &entry,
                                   scratch.data(), scratch.size(), result, hostError);
        });
}

} // namespace lookwell

#include "core/resolver/glibc_host_database.h"

#include "core/socket_errors.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>
#include <vector>

namespace lookwell {
namespace {

// glibc asks for more scratch space with ERANGE; a reply that needs more than
// the largest size could never fit a caller's buffer anyway.
constexpr std::size_t kFirstScratchSize = 1024;
constexpr std::size_t kLargestScratchSize = 64 * 1024;

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

// Runs a reentrant lookup, growing its scratch space while glibc says ERANGE.
// The result pointer decides success: h_errno can be set even when a result
// came back (seen with names from /etc/hosts).
template <typename ReentrantCall>
HostLookupOutcome runLookup(ReentrantCall call) {
    std::vector<char> scratch(kFirstScratchSize);
    for (;;) {
        hostent entry{};
        hostent* result = nullptr;
        int hostError = 0;
        errno = 0;
        const int status = call(entry, scratch, &result, &hostError);
        const int systemError = status != 0 ? status : errno;
        if (result != nullptr) {
            return outcomeOfEntry(*result);
        }
        if (status != ERANGE) {
            return {socketErrorForHostError(hostError, systemError), {}};
        }
        if (scratch.size() >= kLargestScratchSize) {
            return {wsa::kNoBufferSpace, {}};
        }
        scratch.resize(scratch.size() * 2);
    }
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

HostLookupOutcome GlibcHostDatabase::lookupByName(const std::string& name) {
    return runLookup(
        [&name](hostent& entry, std::vector<char>& scratch, hostent** result, int* hostError) {
            return gethostbyname_r(name.c_str(), &entry, scratch.data(), scratch.size(), result,
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

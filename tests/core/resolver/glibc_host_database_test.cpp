#include "core/resolver/glibc_host_database.h"
#include "core/resolver/posix_resolver.h"
#include "core/socket_errors.h"
#include "tests/support/queued_ui_thread_poster.h"
#include "tests/support/recording_reply_window.h"

#include <cerrno>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netdb.h>

namespace lookwell {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

constexpr Ipv4Bytes kLoopback{127, 0, 0, 1};

// These cases need no network: /etc/hosts always names the loopback address.
TEST(GlibcHostDatabase, LocalhostResolvesFromTheHostsFile) {
    GlibcHostDatabase database;
    const HostLookupOutcome outcome = database.lookupByName("localhost");

    ASSERT_EQ(outcome.error, 0);
    ASSERT_FALSE(outcome.record.addresses.empty());
    EXPECT_EQ(outcome.record.addresses.front(), kLoopback);
}

TEST(GlibcHostDatabase, LoopbackAddressHasANameThatLeadsBackToIt) {
    GlibcHostDatabase database;
    const HostLookupOutcome byAddress = database.lookupByAddress(kLoopback);
    ASSERT_EQ(byAddress.error, 0);
    ASSERT_FALSE(byAddress.record.name.empty());
    EXPECT_THAT(byAddress.record.addresses, Contains(kLoopback));

    const HostLookupOutcome byName = database.lookupByName(byAddress.record.name);
    ASSERT_EQ(byName.error, 0);
    EXPECT_THAT(byName.record.addresses, Contains(kLoopback));
}

TEST(GlibcHostDatabase, EmptyNameIsNonRecoverable) {
    EXPECT_EQ(GlibcHostDatabase().lookupByName("").error, wsa::kNoRecovery);
}

TEST(GlibcHostDatabase, ResolverConditionsMapToWindowsSocketsErrors) {
    EXPECT_EQ(socketErrorForHostError(HOST_NOT_FOUND, 0), wsa::kHostNotFound);
    EXPECT_EQ(socketErrorForHostError(TRY_AGAIN, EAGAIN), wsa::kTryAgain);
    EXPECT_EQ(socketErrorForHostError(NO_RECOVERY, 0), wsa::kNoRecovery);
    EXPECT_EQ(socketErrorForHostError(NO_DATA, 0), wsa::kNoData);
    EXPECT_EQ(socketErrorForHostError(NETDB_INTERNAL, ENETDOWN), wsa::kNetworkDown);
    EXPECT_EQ(socketErrorForHostError(NETDB_INTERNAL, ENETUNREACH), wsa::kNetworkDown);
    EXPECT_EQ(socketErrorForHostError(NETDB_INTERNAL, ENOMEM), wsa::kNoBufferSpace);
    EXPECT_EQ(socketErrorForHostError(NETDB_INTERNAL, ECONNREFUSED), wsa::kNoRecovery);
    EXPECT_EQ(socketErrorForHostError(NETDB_SUCCESS, 0), wsa::kNoRecovery);
}

TEST(GlibcHostDatabase, ANameFoundWithNoIpv4AddressRepliesNoData) {
    char name[] = "v6only.test";
    char v6[16] = {0x20, 0x01, 0x0d, static_cast<char>(0xb8)};
    char* v6List[] = {v6, nullptr};
    char* noAddresses[] = {nullptr};
    char* noAliases[] = {nullptr};
    const hostent otherFamily{name, noAliases, AF_INET6, 16, v6List};
    const hostent emptyList{name, noAliases, AF_INET, 4, noAddresses};
    EXPECT_EQ(outcomeOfEntry(otherFamily).error, wsa::kNoData);
    EXPECT_EQ(outcomeOfEntry(emptyList).error, wsa::kNoData);

    char v4[4] = {10, 0, 0, 1};
    char* v4List[] = {v4, nullptr};
    const HostLookupOutcome found = outcomeOfEntry({name, noAliases, AF_INET, 4, v4List});
    EXPECT_EQ(found.error, 0);
    EXPECT_THAT(found.record.addresses, ElementsAre(Ipv4Bytes{10, 0, 0, 1}));
}

TEST(GlibcHostDatabase, PosixResolverDeliversARealLookup) {
    test_support::QueuedUiThreadPoster poster;
    test_support::RecordingReplyWindow window;
    HostentBuffer buffer;
    PosixResolver resolver(poster);
    ASSERT_EQ(resolver.startup(), 0);

    resolver.lookupByName(window, 0x0464, "localhost", buffer.span());
    ASSERT_TRUE(poster.waitForTasks(1));
    poster.drain();
    resolver.cleanup();

    ASSERT_EQ(window.replies.size(), 1U);
    EXPECT_EQ(replyError(window.replies[0].lparam), 0);
    EXPECT_EQ(firstAddress(buffer), kLoopback);
}

} // namespace
} // namespace lookwell

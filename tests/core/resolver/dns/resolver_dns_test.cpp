// Runs only inside tests/support/dns/run_with_dns_server.sh, whose scripted server holds the
// lookwell.test zone these cases ask for.
#include "core/hostent_buffer.h"
#include "core/resolver/posix_resolver.h"
#include "core/socket_errors.h"
#include "tests/support/queued_ui_thread_poster.h"
#include "tests/support/recording_reply_window.h"

#include <cstdlib>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netdb.h>
#include <vector>

namespace lookwell {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

struct Reply {
    int error = -1;
    HostentBuffer buffer;
};

class ResolverAgainstDnsServer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(resolver.startup(), 0); }
    void TearDown() override { resolver.cleanup(); }

    Reply nameReply(const std::string& name) {
        return deliver([&](Reply& reply) {
            resolver.lookupByName(window, 0x0464, name, reply.buffer.span());
        });
    }
    Reply addressReply(const Ipv4Bytes& address) {
        return deliver([&](Reply& reply) {
            resolver.lookupByAddress(window, 0x0465, address, kAddressFamilyInet,
                                     reply.buffer.span());
        });
    }

    template <typename Start>
    Reply deliver(Start start) {
        Reply reply;
        window.replies.clear();
        start(reply);
        EXPECT_TRUE(poster.waitForTasks(1));
        poster.drain();
        if (window.replies.size() == 1) {
            reply.error = replyError(window.replies[0].lparam);
        }
        return reply;
    }

    test_support::QueuedUiThreadPoster poster;
    test_support::RecordingReplyWindow window;
    PosixResolver resolver{poster};
};

TEST_F(ResolverAgainstDnsServer, SeveralAddressesArriveInTheServersOrder) {
    const Reply reply = nameReply("multi.lookwell.test");
    ASSERT_EQ(reply.error, 0);
    EXPECT_EQ(firstAddress(reply.buffer), (Ipv4Bytes{10, 1, 0, 1}));

    const HostLookupOutcome outcome = GlibcHostDatabase().lookupByName("multi.lookwell.test");
    EXPECT_THAT(
        outcome.record.addresses,
        ElementsAre(Ipv4Bytes{10, 1, 0, 1}, Ipv4Bytes{10, 1, 0, 2}, Ipv4Bytes{10, 1, 0, 3}));
}

TEST_F(ResolverAgainstDnsServer, CnameChainEndsInTheOfficialName) {
    const Reply reply = nameReply("www.lookwell.test");
    ASSERT_EQ(reply.error, 0);
    EXPECT_EQ(officialName(reply.buffer), "origin.lookwell.test");
    EXPECT_EQ(firstAddress(reply.buffer), (Ipv4Bytes{10, 2, 0, 1}));

    const HostLookupOutcome outcome = GlibcHostDatabase().lookupByName("www.lookwell.test");
    EXPECT_THAT(outcome.record.aliases,
                UnorderedElementsAre("www.lookwell.test", "edge.lookwell.test"));
}

TEST_F(ResolverAgainstDnsServer, FailedNameLookupsGiveTheirResolverConditions) {
    EXPECT_EQ(nameReply("missing.lookwell.test").error, wsa::kHostNotFound);
    EXPECT_EQ(nameReply("nodata.lookwell.test").error, wsa::kNoData);
    EXPECT_EQ(nameReply("servfail.lookwell.test").error, wsa::kTryAgain);
    EXPECT_EQ(nameReply("silent.lookwell.test").error, wsa::kTryAgain);
}

// 90 addresses need more than 512 bytes, so the answer only arrives over TCP.
TEST_F(ResolverAgainstDnsServer, AnswerTooLargeForTheReplyBufferIsNoBufferSpace) {
    const HostLookupOutcome outcome = GlibcHostDatabase().lookupByName("big.lookwell.test");
    ASSERT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.record.addresses.size(), 90U);

    const Reply reply = nameReply("big.lookwell.test");
    EXPECT_EQ(reply.error, wsa::kNoBufferSpace);
    EXPECT_EQ(officialName(reply.buffer), "");
}

// The queries for name that the scripted server has received, over UDP and TCP.
std::size_t queriesReceivedFor(const std::string& name) {
    const char* path = std::getenv("LOOKWELL_DNS_QUERY_LOG");
    EXPECT_NE(path, nullptr);
    std::ifstream log(path != nullptr ? path : "");
    std::size_t count = 0;
    for (std::string line; std::getline(log, line);) {
        count += line.ends_with(" " + name + ".") ? 1 : 0;
    }
    return count;
}

// glibc asks over UDP, gets a truncated answer and asks again over TCP. However
// large the answer, a lookup sends what one such call sends, never more.
TEST_F(ResolverAgainstDnsServer, OneLookupSendsTheQueriesOfOneCallEvenForAHugeAnswer) {
    const std::string name = "huge.lookwell.test";
    std::vector<char> scratch(1 << 20);
    hostent entry{};
    hostent* result = nullptr;
    int hostError = 0;
    const std::size_t before = queriesReceivedFor(name);
    ASSERT_EQ(
        gethostbyname_r(name.c_str(), &entry, scratch.data(), scratch.size(), &result, &hostError),
        0);
    ASSERT_NE(result, nullptr);
    const std::size_t oneCall = queriesReceivedFor(name) - before;
    ASSERT_GT(oneCall, 0U);

    EXPECT_EQ(nameReply(name).error, wsa::kNoBufferSpace);
    EXPECT_EQ(queriesReceivedFor(name) - before - oneCall, oneCall);
}

TEST_F(ResolverAgainstDnsServer, AddressLookupsFollowPointerRecords) {
    const Reply found = addressReply({10, 1, 0, 1});
    ASSERT_EQ(found.error, 0);
    EXPECT_EQ(officialName(found.buffer), "ptr-host.lookwell.test");
    EXPECT_EQ(firstAddress(found.buffer), (Ipv4Bytes{10, 1, 0, 1}));

    EXPECT_EQ(addressReply({10, 9, 9, 9}).error, wsa::kHostNotFound);
}

} // namespace
} // namespace lookwell

#include "core/resolver/posix_resolver.h"
#include "core/socket_errors.h"
#include "tests/support/counting_thread_starter.h"
#include "tests/support/queued_ui_thread_poster.h"
#include "tests/support/recording_reply_window.h"
#include "tests/support/scripted_host_database.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lookwell {
namespace {

using test_support::CountingThreadStarter;
using test_support::QueuedUiThreadPoster;
using test_support::RecordingReplyWindow;
using test_support::ScriptedHostDatabase;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr unsigned kNameDone = 0x0464;
constexpr unsigned kAddressDone = 0x0465;
constexpr char kUntouched = 0x5A;

HostRecord twoAddressRecord() {
    return {"host.lookwell.test", {"alias.lookwell.test"}, {{10, 1, 0, 1}, {10, 1, 0, 2}}};
}

class PosixResolverTest : public ::testing::Test {
protected:
    void SetUp() override {
        buffer.bytes.fill(kUntouched);
        ASSERT_EQ(resolver->startup(), 0);
    }
    void TearDown() override {
        database->release();
        resolver->cleanup();
        EXPECT_TRUE(threads.waitUntilAllFinished());
    }

    RequestHandle lookUpName(const std::string& name = "host.lookwell.test") {
        return resolver->lookupByName(window, kNameDone, name, buffer.span());
    }
    RequestHandle lookUpAddress(std::vector<std::uint8_t> address, int family = 2) {
        return resolver->lookupByAddress(window, kAddressDone, address, family, buffer.span());
    }
    // Lets the worker post its outcome, then delivers it as the event loop would.
    void deliverReplies(std::size_t posted = 1) {
        ASSERT_TRUE(poster.waitForTasks(posted));
        poster.drain();
    }
    bool bufferUntouched() const {
        return std::all_of(buffer.bytes.begin(), buffer.bytes.end(),
                           [](char byte) { return byte == kUntouched; });
    }
    std::vector<int> replyErrors() const {
        std::vector<int> errors;
        for (const auto& reply : window.replies) {
            errors.push_back(replyError(reply.lparam));
        }
        return errors;
    }

    QueuedUiThreadPoster poster;
    std::shared_ptr<ScriptedHostDatabase> database =
        std::make_shared<ScriptedHostDatabase>(HostLookupOutcome{0, twoAddressRecord()});
    CountingThreadStarter threads;
    std::unique_ptr<PosixResolver> resolver =
        std::make_unique<PosixResolver>(poster, database, threads.starter());
    RecordingReplyWindow window;
    HostentBuffer buffer;
};

TEST_F(PosixResolverTest, NameReplyIsPackedAndDeliveredOnlyWhenTheQueueIsDrained) {
    const RequestHandle handle = lookUpName();
    EXPECT_NE(handle, 0U);
    ASSERT_TRUE(poster.waitForTasks(1));
    EXPECT_THAT(window.replies, IsEmpty());
    EXPECT_TRUE(bufferUntouched());

    poster.drain();

    ASSERT_EQ(window.replies.size(), 1U);
    EXPECT_EQ(window.replies[0].message, kNameDone);
    EXPECT_EQ(window.replies[0].handle, handle);
    EXPECT_EQ(
        window.replies[0].lparam,
        makeReplyParam(0, static_cast<std::uint16_t>(packedHostEntrySize(twoAddressRecord()))));
    EXPECT_EQ(officialName(buffer), "host.lookwell.test");
    EXPECT_EQ(firstAddress(buffer), (Ipv4Bytes{10, 1, 0, 1}));
    EXPECT_THAT(database->queries(), ElementsAre("name:host.lookwell.test"));
}

TEST_F(PosixResolverTest, AddressLookupAsksForTheBytesInNetworkOrder) {
    const RequestHandle handle = lookUpAddress({192, 168, 1, 20});
    deliverReplies();

    ASSERT_EQ(window.replies.size(), 1U);
    EXPECT_EQ(window.replies[0].message, kAddressDone);
    EXPECT_EQ(window.replies[0].handle, handle);
    EXPECT_THAT(replyErrors(), ElementsAre(0));
    EXPECT_THAT(database->queries(), ElementsAre("address:192;168;1;20;"));
}

TEST_F(PosixResolverTest, ConcurrentRequestsEachGetTheirOwnReply) {
    const RequestHandle first = lookUpName("one.lookwell.test");
    const RequestHandle second = lookUpAddress({10, 0, 0, 1});
    EXPECT_NE(first, second);
    deliverReplies(2);

    std::vector<RequestHandle> replied;
    for (const auto& reply : window.replies) {
        replied.push_back(reply.handle);
    }
    std::sort(replied.begin(), replied.end());
    EXPECT_THAT(replied, ElementsAre(std::min(first, second), std::max(first, second)));
}

TEST_F(PosixResolverTest, FailedLookupRepliesWithItsErrorAndWritesNothing) {
    database->setOutcome({wsa::kHostNotFound, {}});
    lookUpName();
    deliverReplies();

    ASSERT_EQ(window.replies.size(), 1U);
    EXPECT_EQ(window.replies[0].lparam, makeReplyParam(wsa::kHostNotFound, 0));
    EXPECT_TRUE(bufferUntouched());
}

TEST_F(PosixResolverTest, RecordTooLargeForTheBufferIsNoBufferSpaceAndWritesNothing) {
    const HostRecord big{"big.lookwell.test", {}, std::vector<Ipv4Bytes>(90, {10, 3, 0, 1})};
    database->setOutcome({0, big});
    lookUpName();
    deliverReplies();

    ASSERT_EQ(window.replies.size(), 1U);
    EXPECT_EQ(
        window.replies[0].lparam,
        makeReplyParam(wsa::kNoBufferSpace, static_cast<std::uint16_t>(packedHostEntrySize(big))));
    EXPECT_TRUE(bufferUntouched());
}

TEST_F(PosixResolverTest, CancelBeforeDeliveryWritesAndDeliversNothing) {
    const RequestHandle handle = lookUpName();
    ASSERT_TRUE(poster.waitForTasks(1));

    EXPECT_EQ(resolver->cancel(handle), 0);
    poster.drain();

    EXPECT_THAT(window.replies, IsEmpty());
    EXPECT_TRUE(bufferUntouched());
    EXPECT_EQ(resolver->cancel(handle), wsa::kInvalidArgument);
}

TEST_F(PosixResolverTest, CancelOfUnknownOrFinishedHandlesIsInvalid) {
    EXPECT_EQ(resolver->cancel(0), wsa::kInvalidArgument);
    EXPECT_EQ(resolver->cancel(12345), wsa::kInvalidArgument);
    const RequestHandle handle = lookUpName();
    deliverReplies();
    EXPECT_EQ(resolver->cancel(handle), wsa::kInvalidArgument);
}

// Were cancel or cleanup to wait for the worker, this test would deadlock.
TEST_F(PosixResolverTest, CancelAndCleanupReturnWhileTheWorkerIsStillBlocked) {
    database->hold();
    const RequestHandle handle = lookUpName();
    ASSERT_TRUE(database->waitForQueries(1));

    EXPECT_EQ(resolver->cancel(handle), 0);
    resolver->cleanup();
    database->release();
    ASSERT_TRUE(threads.waitUntilAllFinished());

    EXPECT_EQ(poster.queued(), 0U);
    EXPECT_THAT(window.replies, IsEmpty());
    EXPECT_TRUE(bufferUntouched());
}

TEST_F(PosixResolverTest, CleanupCancelsRunningAndAlreadyPostedRequests) {
    lookUpName("posted.lookwell.test");
    ASSERT_TRUE(poster.waitForTasks(1));
    database->hold();
    lookUpName("running.lookwell.test");
    ASSERT_TRUE(database->waitForQueries(2));

    resolver->cleanup();
    database->release();
    ASSERT_TRUE(threads.waitUntilAllFinished());
    poster.drain();

    EXPECT_THAT(window.replies, IsEmpty());
    EXPECT_TRUE(bufferUntouched());
}

TEST_F(PosixResolverTest, ResolverMayBeDestroyedWhileAWorkerIsBlocked) {
    database->hold();
    lookUpName();
    ASSERT_TRUE(database->waitForQueries(1));

    resolver.reset();
    database->release();
    ASSERT_TRUE(threads.waitUntilAllFinished());

    EXPECT_EQ(poster.queued(), 0U);
    resolver = std::make_unique<PosixResolver>(poster, database, threads.starter());
}

TEST_F(PosixResolverTest, RequestWhoseWorkerCannotStartStillGetsAFailureReply) {
    threads.refuseThreads();
    const RequestHandle handle = lookUpName();
    EXPECT_NE(handle, 0U);
    deliverReplies();

    ASSERT_EQ(window.replies.size(), 1U);
    EXPECT_EQ(window.replies[0].handle, handle);
    EXPECT_EQ(window.replies[0].lparam, makeReplyParam(wsa::kNoBufferSpace, 0));
    EXPECT_TRUE(bufferUntouched());
}

TEST_F(PosixResolverTest, LookupsOutsideStartupAndCleanupReplyNotInitialised) {
    resolver->cleanup();
    EXPECT_NE(lookUpName(), 0U);
    EXPECT_NE(lookUpAddress({127, 0, 0, 1}), 0U);
    deliverReplies(2);

    EXPECT_THAT(replyErrors(), ElementsAre(wsa::kNotInitialised, wsa::kNotInitialised));
    EXPECT_THAT(database->queries(), IsEmpty());
    EXPECT_TRUE(bufferUntouched());
}

TEST_F(PosixResolverTest, LibraryStaysStartedUntilTheLastCleanup) {
    ASSERT_EQ(resolver->startup(), 0);
    resolver->cleanup();
    lookUpName();
    deliverReplies();
    resolver->cleanup();
    lookUpName();
    deliverReplies();

    EXPECT_THAT(replyErrors(), ElementsAre(0, wsa::kNotInitialised));
}

TEST_F(PosixResolverTest, UnsupportedFamilyOrAddressLengthFailsWithoutALookup) {
    lookUpAddress({10, 0, 0, 1}, 23);
    lookUpAddress({10, 0, 1});
    lookUpAddress(std::vector<std::uint8_t>(16, 1));
    lookUpAddress({});
    deliverReplies(4);

    EXPECT_THAT(replyErrors(), ElementsAre(wsa::kAddressFamilyNotSupported, wsa::kInvalidArgument,
                                           wsa::kInvalidArgument, wsa::kInvalidArgument));
    EXPECT_THAT(database->queries(), IsEmpty());
}

} // namespace
} // namespace lookwell

#include "core/lookup_requests.h"
#include "tests/support/fake_resolver.h"
#include "tests/support/fake_view.h"

#include <gtest/gtest.h>
#include <optional>

namespace lookwell {
namespace {

using test_support::FakeResolver;
using test_support::FakeView;
using Log = std::vector<std::string>;

class LookupRequestsTest : public ::testing::Test {
protected:
    FakeView view;
    FakeResolver resolver;
    LookupState state;
    HostentBuffer buffer;
    LookupRequests requests{state, resolver, view, buffer};

    void startName(const std::string& name) {
        view.setHostName(name);
        requests.startNameLookup();
        view.log.clear();
    }
    void startAddress(const FieldTexts& fields) {
        view.typeFields(fields);
        requests.startAddressLookup();
        view.log.clear();
    }
    void replyWith(const HostRecord& record) { ASSERT_TRUE(packHostEntry(record, buffer.span())); }
};

TEST_F(LookupRequestsTest, NameLookupStartsOneRequestWithTheTextAsTyped) {
    view.setHostName(" Www.Example.COM. ");
    view.log.clear();
    requests.startNameLookup();

    ASSERT_EQ(resolver.calls.size(), 1u);
    const auto& call = resolver.calls[0];
    EXPECT_EQ(call.window, &view);
    EXPECT_EQ(call.message, 0x0464u);
    EXPECT_EQ(call.name, " Www.Example.COM. ");
    EXPECT_EQ(call.buffer, buffer.bytes.data());
    EXPECT_EQ(call.size, 1024u);
    EXPECT_EQ(state.pending, 1);
    EXPECT_EQ(state.handle, 0x101u);
    EXPECT_EQ(view.log, (Log{"title=Lookwell [Searching entry...]"}));

    view.log.clear();
    requests.startNameLookup();
    requests.startAddressLookup();
    EXPECT_EQ(resolver.calls.size(), 1u);
    EXPECT_TRUE(view.log.empty());
}

TEST_F(LookupRequestsTest, AddressLookupSendsTheBytesInNetworkOrder) {
    view.typeFields({"300", "1", "2", "3"});
    requests.startAddressLookup();

    ASSERT_EQ(resolver.calls.size(), 1u);
    const auto& call = resolver.calls[0];
    EXPECT_EQ(call.message, 0x0465u);
    EXPECT_EQ(call.address, (std::vector<std::uint8_t>{44, 1, 2, 3}));
    EXPECT_EQ(call.family, 2);
    EXPECT_EQ(call.buffer, buffer.bytes.data());
    EXPECT_EQ(call.size, 1024u);
    EXPECT_EQ(state.pending, 1);
    EXPECT_EQ(view.log, (Log{"title=Lookwell [Searching entry...]"}));
}

TEST_F(LookupRequestsTest, AddressLookupWithANonDigitWarnsAndStartsNothing) {
    view.typeFields({"10", "0", "0", "1a"});
    requests.startAddressLookup();
    EXPECT_TRUE(resolver.calls.empty());
    EXPECT_EQ(state.pending, 0);
    EXPECT_EQ(view.log, (Log{"message IP address format error. (warning)"}));
}

TEST_F(LookupRequestsTest, WhilePendingAddressLookupDoesNotEvenValidate) {
    startName("example.com");
    view.typeFields({"x", "", "", ""});
    requests.startAddressLookup();
    EXPECT_EQ(resolver.calls.size(), 1u);
    EXPECT_TRUE(view.log.empty());
}

TEST_F(LookupRequestsTest, NameReplyFillsTheFirstAddressFieldFourFirst) {
    startName("many.example");
    replyWith({"many.example", {}, {{192, 0, 2, 7}, {198, 51, 100, 1}}});

    EXPECT_EQ(requests.handleNameReply(makeReplyParam(0, 60)), 0);
    EXPECT_EQ(state.pending, 0);
    EXPECT_EQ(view.log, (Log{"title=Lookwell", "field4=7", "field3=2", "field2=0", "field1=192",
                             "toHostName=on", "refresh"}));
    EXPECT_EQ(view.host, "many.example");
    EXPECT_TRUE(view.toHostName);
}

TEST_F(LookupRequestsTest, AddressReplySetsTheOfficialNameAndKeepsTheFields) {
    startAddress({"127", "0", "0", "1"});
    replyWith({"localhost.localdomain", {"localhost"}, {{127, 0, 0, 1}}});

    EXPECT_EQ(requests.handleAddressReply(makeReplyParam(0, 80)), 0);
    EXPECT_EQ(view.log, (Log{"title=Lookwell", "host=localhost.localdomain", "refresh"}));
    EXPECT_EQ(view.fields, (FieldTexts{"127", "0", "0", "1"}));
    EXPECT_TRUE(view.toIp);
}

struct ErrorRow {
    int error;
    const char* message;
};

// Names each case after its error number instead of the row's raw bytes.
void PrintTo(const ErrorRow& row, std::ostream* out) {
    *out << row.error;
}

class ReplyErrors : public LookupRequestsTest, public ::testing::WithParamInterface<ErrorRow> {};

TEST_P(ReplyErrors, FailedNameReplyClearsFieldsAndBoxesThenShowsTheMessage) {
    view.typeFields({"10", "1", "2", "3"});
    view.enablePrivateLabel(true);
    startName("gone.example");

    EXPECT_EQ(requests.handleNameReply(makeReplyParam(GetParam().error, 0)), 1);
    EXPECT_EQ(state.pending, 0);
    EXPECT_EQ(view.log,
              (Log{"title=Lookwell", "field4=", "field3=", "field2=", "field1=", "class=",
                   "country=", std::string("message ") + GetParam().message + " (error)"}));
    EXPECT_EQ(view.host, "gone.example");
    EXPECT_FALSE(view.toHostName);
    EXPECT_TRUE(view.privateLabel);
}

TEST_P(ReplyErrors, FailedAddressReplyClearsTheNameAndBoxesAndKeepsTheFields) {
    view.setHostName("old.example");
    startAddress({"192", "0", "2", "1"});

    EXPECT_EQ(requests.handleAddressReply(makeReplyParam(GetParam().error, 0)), 1);
    EXPECT_EQ(view.log, (Log{"title=Lookwell", "host=", "class=", "country=",
                             std::string("message ") + GetParam().message + " (error)"}));
    EXPECT_EQ(view.fields, (FieldTexts{"192", "0", "2", "1"}));
    EXPECT_FALSE(view.toIp);
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, ReplyErrors,
    ::testing::Values(ErrorRow{10050, "Network may down."}, ErrorRow{10055, "Insufficient buffer."},
                      ErrorRow{11001, "Host not found."}, ErrorRow{11002, "DNS Server not found."},
                      ErrorRow{11003, "Unrecoverable Error."}, ErrorRow{11004, "No entry found."},
                      ErrorRow{10093, "Unknown error."}, ErrorRow{1, "Unknown error."},
                      ErrorRow{0xFFFF, "Unknown error."}));

TEST_F(LookupRequestsTest, OnlyTheHighSixteenBitsCarryTheError) {
    startName("example.com");
    replyWith({"example.com", {}, {{93, 184, 216, 34}}});
    EXPECT_EQ(requests.handleNameReply(0x0000FFFFu), 0);
    startName("example.com");
    EXPECT_EQ(requests.handleNameReply(makeReplyParam(11001, 0xFFFF)), 1);
}

TEST_F(LookupRequestsTest, CancelAtExitCancelsOnlyAPendingRequest) {
    cancelAtExit(state, resolver);
    EXPECT_TRUE(resolver.cancelled.empty());

    startName("slow.example");
    cancelAtExit(state, resolver);
    EXPECT_EQ(resolver.cancelled, (std::vector<RequestHandle>{0x101}));
    EXPECT_EQ(state.pending, 0);
}

// The buffer outlives the requests object, so whatever ends it ends the request first.
TEST_F(LookupRequestsTest, EndingTheRequestsCancelsOnlyAPendingRequest) {
    std::optional<LookupRequests> idle(std::in_place, state, resolver, view, buffer);
    idle.reset();
    EXPECT_TRUE(resolver.cancelled.empty());

    std::optional<LookupRequests> ending(std::in_place, state, resolver, view, buffer);
    view.setHostName("slow.example");
    ending->startNameLookup();
    ending.reset();
    EXPECT_EQ(resolver.cancelled, (std::vector<RequestHandle>{0x101}));
    EXPECT_EQ(state.pending, 0);
}

} // namespace
} // namespace lookwell

#include "registration/tidemark_registration.h"
#include "tests/registration/failing_allocation.h"
#include "tests/support/fake_settings_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lookwell {
namespace {

using test_support::FakeSettingsStore;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kVendorKey[] = "Software\\Tidemark\\mail@example.org";
constexpr char kProductKey[] = "Software\\Tidemark\\mail@example.org\\Tool";

class TidemarkRegistrationTest : public ::testing::Test {
protected:
    TidemarkRegistrationTest() { store.addKey(kTidemarkRoot); }

    Status openVendor(const char* displayHost = "host") {
        return registration.TidemarkOpenVendor("mail@example.org", "author", "url", displayHost);
    }
    Status registerTool(const char* displayName = "Tool Deluxe", const char* path = "/bin/tool",
                        std::uint32_t iconIndex = 3) {
        return registration.TidemarkRegisterProduct("Tool", 9, displayName, path, iconIndex);
    }
    // Opens the vendor and forgets the calls that took.
    void openVendorQuietly() {
        ASSERT_EQ(openVendor(), status::kSuccess);
        store.calls.clear();
    }

    FakeSettingsStore store;
    TidemarkRegistration registration{store};
};

TEST_F(TidemarkRegistrationTest, OpenVendorWritesItsValuesEachUnderAFreshlyOpenedKey) {
    EXPECT_EQ(openVendor(), status::kSuccess);
    EXPECT_STREQ(registration.currentVendor(), "mail@example.org");
    const std::string key = kVendorKey;
    EXPECT_THAT(store.calls,
                ElementsAre("testKey Software\\Tidemark", "createKey " + key,
                            "setString " + key + ":Author=author", "closeKey " + key,
                            "createKey " + key, "setString " + key + ":InfoURL=url",
                            "closeKey " + key, "createKey " + key,
                            "setString " + key + ":DisplayHost=host", "closeKey " + key));
    EXPECT_EQ(store.openKeys(), 0u);
}

TEST_F(TidemarkRegistrationTest, MisuseOfOpenVendorTouchesNothing) {
    EXPECT_EQ(registration.TidemarkOpenVendor(nullptr, "a", "u", "h"), status::kInvalidParameter);
    EXPECT_EQ(registration.TidemarkOpenVendor("v", "a", nullptr, "h"), status::kInvalidParameter);
    EXPECT_EQ(registration.TidemarkOpenVendor("v", nullptr, "u", "h"), status::kInvalidParameter);
    EXPECT_EQ(registration.currentVendor(), nullptr);
    EXPECT_THAT(store.calls, IsEmpty());
}

TEST_F(TidemarkRegistrationTest, AnOpenVendorStaysOpenAndUnchanged) {
    openVendorQuietly();
    EXPECT_EQ(registration.TidemarkOpenVendor("other", "a", "u", "h"), status::kInvalidFunction);
    // A null vendor is refused as such even while another is open.
    EXPECT_EQ(registration.TidemarkOpenVendor(nullptr, "a", "u", "h"), status::kInvalidParameter);
    EXPECT_EQ(registration.TidemarkOpenVendor("other", nullptr, nullptr, nullptr),
              status::kInvalidFunction);
    EXPECT_THAT(store.calls, IsEmpty());
    EXPECT_STREQ(registration.currentVendor(), "mail@example.org");
}

TEST_F(TidemarkRegistrationTest, DeleteModeDeletesTheVendorKeyWithoutTestingTheRoot) {
    store.keys.clear();
    store.addKey(kVendorKey);
    EXPECT_EQ(registration.TidemarkOpenVendor("mail@example.org", nullptr, nullptr, "ignored"),
              status::kSuccess);
    EXPECT_EQ(registration.TidemarkOpenVendor("mail@example.org", nullptr, nullptr, nullptr),
              status::kNotFound);
    store.failWith(std::string("deleteKey ") + kVendorKey, 1234);
    EXPECT_EQ(registration.TidemarkOpenVendor("mail@example.org", nullptr, nullptr, nullptr),
              1234u);
    EXPECT_THAT(store.calls, ElementsAre(std::string("deleteKey ") + kVendorKey,
                                         std::string("deleteKey ") + kVendorKey,
                                         std::string("deleteKey ") + kVendorKey));
    EXPECT_EQ(registration.currentVendor(), nullptr);
}

TEST_F(TidemarkRegistrationTest, WithoutTheRootKeyNothingIsWrittenAndNoVendorOpens) {
    store.keys.clear();
    EXPECT_EQ(openVendor(), status::kNotFound);
    store.failWith("testKey Software\\Tidemark", status::kAccessDenied);
    EXPECT_EQ(openVendor(), status::kAccessDenied);
    EXPECT_EQ(registerTool(), status::kInvalidFunction);
    EXPECT_THAT(store.calls,
                ElementsAre("testKey Software\\Tidemark", "testKey Software\\Tidemark"));
    EXPECT_THAT(store.keys, IsEmpty());
}

TEST_F(TidemarkRegistrationTest, AFailingVendorWritePassesItsCodeOnKeepsEarlierValuesAndCloses) {
    const std::string key = kVendorKey;
    const std::vector<std::pair<std::string, std::size_t>> failures = {
        {"createKey " + key, 0}, // nothing written yet
        {"setString " + key + ":Author=author", 0},
        {"setString " + key + ":InfoURL=url", 1},
        {"setString " + key + ":DisplayHost=host", 2}};
    for (const auto& [call, valuesLeft] : failures) {
        FakeSettingsStore failing;
        failing.addKey(kTidemarkRoot);
        failing.failWith(call, 4321);
        TidemarkRegistration subject(failing);
        EXPECT_EQ(subject.TidemarkOpenVendor("mail@example.org", "author", "url", "host"), 4321u)
            << call;
        EXPECT_EQ(subject.currentVendor(), nullptr) << call;
        EXPECT_EQ(failing.calls.back(), call.starts_with("createKey") ? call : "closeKey " + key);
        EXPECT_EQ(failing.keys[key].size(), valuesLeft) << call;
        EXPECT_EQ(failing.openKeys(), 0u) << call;
    }
}

TEST_F(TidemarkRegistrationTest, ANullDisplayTextRemovesDisplayHostAndNeedsItToExist) {
    store.keys[kVendorKey]["DisplayHost"] = "sz:old";
    EXPECT_EQ(openVendor(nullptr), status::kSuccess);
    EXPECT_FALSE(store.keys[kVendorKey].contains("DisplayHost"));
    registration.TidemarkCloseVendor();

    EXPECT_EQ(openVendor(nullptr), status::kNotFound);
    EXPECT_EQ(registration.currentVendor(), nullptr);
    EXPECT_THAT(store.keys[kVendorKey],
                ElementsAre(std::pair<const std::string, std::string>("Author", "sz:author"),
                            std::pair<const std::string, std::string>("InfoURL", "sz:url")));
}

TEST_F(TidemarkRegistrationTest, RegisterProductWritesItsValuesInOrderAndKeepsTheVendorOpen) {
    openVendorQuietly();
    EXPECT_EQ(registerTool(), status::kSuccess);
    const std::string key = kProductKey;
    std::vector<std::string> changes;
    for (const std::string& call : store.calls) {
        if (!call.starts_with("createKey") && !call.starts_with("closeKey")) {
            changes.push_back(call);
        }
    }
    EXPECT_THAT(changes, ElementsAre("setDword " + key + ":Build=9",
                                     "setString " + key + ":DistinctName=Tool",
                                     "setString " + key + ":DisplayName=Tool Deluxe",
                                     "setString " + key + ":FilePath=/bin/tool",
                                     "setDword " + key + ":IconIndex=3"));
    EXPECT_EQ(store.calls.size(), changes.size() * 3);
    EXPECT_EQ(store.openKeys(), 0u);
    EXPECT_STREQ(registration.currentVendor(), "mail@example.org");
}

TEST_F(TidemarkRegistrationTest, OptionalProductValuesThatAreNotGivenAreRemoved) {
    openVendorQuietly();
    ASSERT_EQ(registerTool(), status::kSuccess);
    EXPECT_EQ(registerTool("Tool Deluxe", "/bin/tool", 0), status::kSuccess);
    EXPECT_FALSE(store.keys[kProductKey].contains("IconIndex"));
    EXPECT_EQ(store.keys[kProductKey]["FilePath"], "sz:/bin/tool");

    ASSERT_EQ(registerTool(), status::kSuccess);
    // Without a path the icon index is not looked at; absent values are no failure.
    EXPECT_EQ(registerTool(nullptr, nullptr, 5), status::kSuccess);
    EXPECT_EQ(registerTool(nullptr, nullptr, 5), status::kSuccess);
    EXPECT_THAT(store.keys[kProductKey],
                ElementsAre(std::pair<const std::string, std::string>("Build", "dword:9"),
                            std::pair<const std::string, std::string>("DistinctName", "sz:Tool")));
    EXPECT_STREQ(registration.currentVendor(), "mail@example.org");
}

TEST_F(TidemarkRegistrationTest, FailedRemovalsOfOptionalValuesAreIgnored) {
    openVendorQuietly();
    const std::string key = kProductKey;
    for (const char* name : {"DisplayName", "FilePath", "IconIndex"}) {
        store.failWith("deleteValue " + key + ":" + name, status::kAccessDenied);
    }
    EXPECT_EQ(registerTool(nullptr, nullptr, 0), status::kSuccess);
    EXPECT_EQ(registerTool(nullptr, "/bin/tool", 0), status::kSuccess);
    EXPECT_STREQ(registration.currentVendor(), "mail@example.org");
}

TEST_F(TidemarkRegistrationTest, AFailingProductWritePassesItsCodeOnKeepsEarlierValuesAndCloses) {
    const std::string key = kProductKey;
    const std::vector<std::pair<std::string, std::size_t>> failures = {
        {"createKey " + key, 0},
        {"setDword " + key + ":Build=9", 0},
        {"setString " + key + ":DistinctName=Tool", 1},
        {"setString " + key + ":DisplayName=Tool Deluxe", 2},
        {"setString " + key + ":FilePath=/bin/tool", 3},
        {"setDword " + key + ":IconIndex=3", 4}};
    for (const auto& [call, valuesLeft] : failures) {
        FakeSettingsStore failing;
        failing.addKey(kTidemarkRoot);
        TidemarkRegistration subject(failing);
        ASSERT_EQ(subject.TidemarkOpenVendor("mail@example.org", "a", "u", "h"), status::kSuccess);
        failing.failWith(call, status::kDiskFull);
        EXPECT_EQ(subject.TidemarkRegisterProduct("Tool", 9, "Tool Deluxe", "/bin/tool", 3),
                  status::kDiskFull)
            << call;
        EXPECT_EQ(subject.currentVendor(), nullptr) << call;
        EXPECT_EQ(failing.keys[key].size(), valuesLeft) << call;
        EXPECT_EQ(failing.openKeys(), 0u) << call;
        EXPECT_EQ(subject.TidemarkRegisterProduct("Tool", 9, "Tool Deluxe", "/bin/tool", 3),
                  status::kInvalidFunction);
    }
}

TEST_F(TidemarkRegistrationTest, TwoProductsLiveUnderOneVendor) {
    openVendorQuietly();
    EXPECT_EQ(registerTool(), status::kSuccess);
    EXPECT_EQ(registration.TidemarkRegisterProduct("Other", 0, "Other", nullptr, 0),
              status::kSuccess);
    EXPECT_EQ(store.keys[kProductKey]["Build"], "dword:9");
    EXPECT_EQ(store.keys[std::string(kVendorKey) + "\\Other"]["Build"], "dword:0");
}

TEST_F(TidemarkRegistrationTest, ANullProductNameClosesTheVendor) {
    EXPECT_EQ(registration.TidemarkRegisterProduct(nullptr, 1, "d", "p", 1),
              status::kInvalidParameter);
    EXPECT_EQ(registerTool(), status::kInvalidFunction);
    openVendorQuietly();
    EXPECT_EQ(registration.TidemarkRegisterProduct(nullptr, 1, "d", "p", 1),
              status::kInvalidParameter);
    EXPECT_EQ(registration.currentVendor(), nullptr);
    EXPECT_EQ(registerTool(), status::kInvalidFunction);
    EXPECT_THAT(store.calls, IsEmpty());
}

TEST_F(TidemarkRegistrationTest, CloseVendorEndsTheOpenVendorAndIsHarmlessWithoutOne) {
    registration.TidemarkCloseVendor();
    EXPECT_EQ(registration.currentVendor(), nullptr);
    openVendorQuietly();
    registration.TidemarkCloseVendor();
    registration.TidemarkCloseVendor();
    EXPECT_EQ(registerTool(), status::kInvalidFunction);
    EXPECT_THAT(store.calls, IsEmpty());
}

TEST_F(TidemarkRegistrationTest, TheVendorIsACopyOfTheCallersText) {
    char vendor[] = "mail@example.org";
    ASSERT_EQ(registration.TidemarkOpenVendor(vendor, "a", "u", "h"), status::kSuccess);
    vendor[0] = 'X';
    EXPECT_STREQ(registration.currentVendor(), "mail@example.org");
}

TEST_F(TidemarkRegistrationTest, TextsAreHandedOnByteForByteAndEmptyTextsArePresent) {
    const char author[] = "\x8E\x52\x93\x63"; // 山田 in Shift_JIS
    ASSERT_EQ(registration.TidemarkOpenVendor("mail@example.org", author, "", ""),
              status::kSuccess);
    EXPECT_EQ(store.keys[kVendorKey]["Author"], std::string("sz:") + author);
    EXPECT_EQ(store.keys[kVendorKey]["InfoURL"], "sz:");
    EXPECT_EQ(store.keys[kVendorKey]["DisplayHost"], "sz:");
}

TEST_F(TidemarkRegistrationTest, RunningOutOfMemoryGivesEightAndLeavesNoVendorOpen) {
    {
        test_support::FailingAllocation failing(0); // the vendor copy
        EXPECT_EQ(openVendor(), status::kNotEnoughMemory);
    }
    {
        test_support::FailingAllocation failing(1); // the vendor key path
        EXPECT_EQ(openVendor(), status::kNotEnoughMemory);
    }
    {
        test_support::FailingAllocation failing(0); // the key path to delete
        EXPECT_EQ(registration.TidemarkOpenVendor("v", nullptr, nullptr, nullptr),
                  status::kNotEnoughMemory);
    }
    EXPECT_EQ(registration.currentVendor(), nullptr);
    EXPECT_THAT(store.calls,
                ElementsAre("testKey Software\\Tidemark", "testKey Software\\Tidemark"));

    openVendorQuietly();
    {
        test_support::FailingAllocation failing(0); // the product key path
        EXPECT_EQ(registerTool(), status::kNotEnoughMemory);
    }
    EXPECT_EQ(registration.currentVendor(), nullptr);
    EXPECT_THAT(store.calls, IsEmpty());
}

TEST(StoreSteps, EachStepOpensTheKeyAfreshAndClosesIt) {
    FakeSettingsStore store;
    EXPECT_EQ(SetStringValue(store, "A\\B", "S", "text"), status::kSuccess);
    EXPECT_EQ(SetStringValue(store, "A\\B", "S", nullptr), status::kSuccess);
    EXPECT_EQ(SetDwordValue(store, "A\\B", "D", 0xFFFFFFFF), status::kSuccess);
    EXPECT_EQ(DeleteValue(store, "A\\C", "D"), status::kNotFound);
    EXPECT_THAT(store.calls,
                ElementsAre("createKey A\\B", "setString A\\B:S=text", "closeKey A\\B",
                            "createKey A\\B", "deleteValue A\\B:S", "closeKey A\\B",
                            "createKey A\\B", "setDword A\\B:D=4294967295", "closeKey A\\B",
                            "createKey A\\C", "deleteValue A\\C:D", "closeKey A\\C"));
    // A missing key is created, empty, before a delete is tried.
    EXPECT_TRUE(store.keys.contains("A\\C"));
    EXPECT_EQ(store.openKeys(), 0u);
}

TEST(StoreSteps, AKeyThatCannotBeOpenedIsNotClosed) {
    FakeSettingsStore store;
    store.failWith("createKey K", 77);
    EXPECT_EQ(SetDwordValue(store, "K", "D", 1), 77u);
    EXPECT_EQ(DeleteValue(store, "K", "D"), 77u);
    EXPECT_THAT(store.calls, ElementsAre("createKey K", "createKey K"));
}

} // namespace
} // namespace lookwell

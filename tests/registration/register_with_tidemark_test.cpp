#include "registration/lookwell_registration.h"
#include "registration/posix_settings_store.h"
#include "tests/registration/store_tree.h"
#include "tests/registration/system_call_faults.h"
#include "tests/support/scoped_environment.h"

#include <cerrno>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lookwell {
namespace {

using test_support::listTree;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

class RegisterWithTidemarkTest : public ::testing::Test {
protected:
    fs::path root() const { return temporary.path() / "hkcu"; }
    void run(const char* executablePath) {
        RegisterWithTidemark(registration, executablePath);
        EXPECT_EQ(registration.currentVendor(), nullptr);
    }

    test_support::TemporaryDirectory temporary;
    PosixSettingsStore store{root().string()};
    TidemarkRegistration registration{store};
};

const char* const kVendorDir = "Software/Tidemark/taro.yamada@example.com/";
const char* const kProductDir = "Software/Tidemark/taro.yamada@example.com/Lookwell/";

std::set<std::string> entryWithPath(std::set<std::string> extra) {
    std::set<std::string> lines = {
        "Software/",
        "Software/Tidemark/",
        kVendorDir,
        std::string(kVendorDir) + "Author.sz=\\x8ER\\x93c\\x91\\xBE\\x98Y",
        std::string(kVendorDir) + "DisplayHost.sz=www.example.com",
        std::string(kVendorDir) + "InfoURL.sz=https://www.example.com/lookwell/update.inf",
        kProductDir,
        std::string(kProductDir) + "Build.dword=\\x07\\x00\\x00\\x00",
        std::string(kProductDir) + "DisplayName.sz=Lookwell for Winsock32",
        std::string(kProductDir) + "DistinctName.sz=Lookwell",
    };
    lines.merge(extra);
    return lines;
}

TEST_F(RegisterWithTidemarkTest, WithoutTheUpdateCheckersRootNothingIsCreated) {
    run("/usr/bin/lookwell");
    EXPECT_FALSE(fs::exists(root()));
    fs::create_directories(root() / "Software");
    run("/usr/bin/lookwell");
    EXPECT_THAT(listTree(root()), ElementsAre("Software/"));
}

TEST_F(RegisterWithTidemarkTest, OneRunWritesTheEntryAndASecondLeavesTheSameTree) {
    fs::create_directories(root() / "Software" / "Tidemark");
    const std::set<std::string> expected =
        entryWithPath({std::string(kProductDir) + "FilePath.sz=/opt/lookwell/bin/lookwell",
                       std::string(kProductDir) + "IconIndex.dword=\\x01\\x00\\x00\\x00"});
    run("/opt/lookwell/bin/lookwell");
    EXPECT_EQ(listTree(root()), expected);
    run("/opt/lookwell/bin/lookwell");
    EXPECT_EQ(listTree(root()), expected);
    // The same on file systems that keep no locks, with no temporary file left.
    for (int error : {ENOLCK, EOPNOTSUPP, ENOSYS}) {
        fs::remove_all(root() / kVendorDir);
        const test_support::LocksFail noLocks(error);
        run("/opt/lookwell/bin/lookwell");
        EXPECT_EQ(listTree(root()), expected) << error;
    }
}

TEST_F(RegisterWithTidemarkTest, AnExistingRootIsReusedWhateverItsCase) {
    fs::create_directories(root() / "software" / "TIDEMARK");
    run("/usr/bin/lookwell");
    EXPECT_TRUE(fs::exists(root() / "software/TIDEMARK/taro.yamada@example.com/Lookwell"));
    EXPECT_FALSE(fs::exists(root() / "Software"));
}

TEST_F(RegisterWithTidemarkTest, WithoutAPathFilePathAndIconIndexAreRemoved) {
    fs::create_directories(root() / "Software" / "Tidemark");
    run(nullptr);
    EXPECT_EQ(listTree(root()), entryWithPath({}));
    run("/usr/bin/lookwell");
    run(nullptr);
    EXPECT_EQ(listTree(root()), entryWithPath({}));
}

TEST_F(RegisterWithTidemarkTest, AFileInThePlaceOfTheVendorKeyStopsTheRegistration) {
    fs::create_directories(root() / "Software" / "Tidemark");
    test_support::writeFile(root() / "Software/Tidemark/taro.yamada@example.com", "");
    run("/usr/bin/lookwell");
    EXPECT_THAT(listTree(root()), ElementsAre("Software/", "Software/Tidemark/",
                                              "Software/Tidemark/taro.yamada@example.com="));
}

TEST_F(RegisterWithTidemarkTest, DeleteModeRemovesTheVendorOnlyOnceItsProductsAreGone) {
    fs::create_directories(root() / "Software" / "Tidemark");
    run("/usr/bin/lookwell");
    const char* vendor = lookwell_entry::kVendor;
    EXPECT_EQ(registration.TidemarkOpenVendor(vendor, nullptr, nullptr, nullptr),
              status::kAccessDenied);
    EXPECT_EQ(store.deleteKey("Software\\Tidemark\\taro.yamada@example.com\\Lookwell"),
              status::kSuccess);
    EXPECT_EQ(registration.TidemarkOpenVendor(vendor, nullptr, nullptr, nullptr), status::kSuccess);
    EXPECT_EQ(registration.TidemarkOpenVendor(vendor, nullptr, nullptr, nullptr),
              status::kNotFound);
    EXPECT_THAT(listTree(root()), ElementsAre("Software/", "Software/Tidemark/"));
}

TEST_F(RegisterWithTidemarkTest, TheStartUpStepRecordsTheProgramInTheUsersStore) {
    const test_support::ScopedEnvironment config("XDG_CONFIG_HOME", temporary.path().c_str());
    fs::create_directories(root() / "Software" / "Tidemark");
    RegisterWithTidemark("/opt/lookwell/bin/lookwell");
    EXPECT_EQ(test_support::readFile(root() / kProductDir / "FilePath.sz"),
              "/opt/lookwell/bin/lookwell");
    EXPECT_EQ(listTree(root()).size(), entryWithPath({}).size() + 2);
}

} // namespace
} // namespace lookwell

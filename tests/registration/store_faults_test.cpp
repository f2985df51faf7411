// The store on a file system that refuses writes: read-only, and full.
#include "registration/lookwell_registration.h"
#include "registration/posix_settings_store.h"
#include "tests/registration/private_mount.h"
#include "tests/registration/store_tree.h"

#include <gtest/gtest.h>

namespace lookwell {
namespace {

using namespace lookwell_entry;
namespace fs = std::filesystem;

std::string joined(const std::set<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

class StoreFaultsTest : public ::testing::Test {
protected:
    std::string mountPoint() const { return temporary.path().string(); }
    fs::path root() const { return temporary.path() / "hkcu"; }

    // Runs `body` with the temporary directory as a private tmpfs; skips the test
    // when this machine gives no mount namespace.
    std::string isolated(const std::string& options, const std::function<std::string()>& body) {
        const test_support::IsolatedRun run =
            test_support::runOnPrivateTmpfs(mountPoint(), options, body);
        if (!run.skipReason.empty()) {
            skipped = true;
            return "skipped: " + run.skipReason;
        }
        return run.report;
    }

    std::string registerAndDescribe() {
        const Status opened =
            registration.TidemarkOpenVendor(kVendor, kAuthor, kInfoUrl, kDisplayHost);
        const Status product = registration.TidemarkRegisterProduct(
            kProduct, kBuild, kDisplayName, "/usr/bin/lookwell", kIconIndex);
        return std::to_string(opened) + " " + std::to_string(product) + "\n" +
               joined(test_support::listTree(root()));
    }

    test_support::TemporaryDirectory temporary;
    // Forked along with the test, so the body in the child uses them as they are.
    PosixSettingsStore store{root().string()};
    TidemarkRegistration registration{store};
    bool skipped = false;
};

#define SKIP_WITHOUT_NAMESPACE(report)                                                             \
    if (skipped) {                                                                                 \
        GTEST_SKIP() << "needs a private mount namespace (root or user namespaces): " << report;   \
    }

TEST_F(StoreFaultsTest, AReadOnlyStoreRefusesEveryWriteAndKeepsWhatIsThere) {
    const std::string report = isolated("mode=0700", [&] {
        fs::create_directories(root() / "Software" / "Tidemark");
        RegisterWithTidemark(registration, "/old/lookwell");
        const std::string before = joined(test_support::listTree(root()));
        if (!test_support::remountReadOnly(mountPoint())) {
            return std::string("remount failed");
        }
        // The vendor's values are unchanged and cost no write; the new path must be written.
        const std::string existing = registerAndDescribe();
        const Status deleted =
            store.deleteKey("Software\\Tidemark\\" + std::string(kVendor) + "\\Lookwell");
        return std::string(existing == "0 5\n" + before ? "unchanged" : existing) + " " +
               std::to_string(deleted);
    });
    SKIP_WITHOUT_NAMESPACE(report);
    EXPECT_EQ(report, "unchanged 5");
}

TEST_F(StoreFaultsTest, AReadOnlyStoreCannotGrowNewKeys) {
    const std::string report = isolated("mode=0700", [&] {
        fs::create_directories(root() / "Software" / "Tidemark");
        if (!test_support::remountReadOnly(mountPoint())) {
            return std::string("remount failed");
        }
        return registerAndDescribe();
    });
    SKIP_WITHOUT_NAMESPACE(report);
    EXPECT_EQ(report, "5 1\nSoftware/\nSoftware/Tidemark/\n");
}

TEST_F(StoreFaultsTest, AFullDiskKeepsTheOldValueWhole) {
    const std::string report = isolated("size=64k,mode=0700", [&] {
        KeyHandle key = -1;
        if (store.createKey("K", key) != status::kSuccess) {
            return std::string("no key");
        }
        const Status kept = store.setString(key, "V", "kept");
        const Status tooLarge = store.setString(key, "V", std::string(1 << 20, 'x'));
        const Status asNumber = store.setDword(key, "Other", 5);
        store.closeKey(key);
        return std::to_string(kept) + " " + std::to_string(tooLarge) + " " +
               std::to_string(asNumber) + "\n" + joined(test_support::listTree(root()));
    });
    SKIP_WITHOUT_NAMESPACE(report);
    EXPECT_EQ(report, "0 112 0\nK/\nK/Other.dword=\\x05\\x00\\x00\\x00\nK/V.sz=kept\n");
}

TEST_F(StoreFaultsTest, AFullDiskStopsAProductAndClosesTheVendor) {
    const std::string report = isolated("size=64k,mode=0700", [&] {
        fs::create_directories(root() / "Software" / "Tidemark");
        const std::string hugeName(1 << 20, 'n');
        const Status opened = registration.TidemarkOpenVendor("v", "a", "u", "h");
        const Status product =
            registration.TidemarkRegisterProduct("P", 3, hugeName.c_str(), "/p", 1);
        const bool closed = registration.currentVendor() == nullptr;
        return std::to_string(opened) + " " + std::to_string(product) +
               (closed ? " closed\n" : " open\n") +
               joined(test_support::listTree(root() / "Software/Tidemark/v/P"));
    });
    SKIP_WITHOUT_NAMESPACE(report);
    EXPECT_EQ(report, "0 112 closed\nBuild.dword=\\x03\\x00\\x00\\x00\nDistinctName.sz=P\n");
}

} // namespace
} // namespace lookwell

// The store's name rule, its name limits, writes that are skipped when nothing
// changed, and leftovers of writers that were killed.
#include "registration/lookwell_registration.h"
#include "registration/posix_settings_store.h"
#include "tests/registration/store_tree.h"
#include "tests/registration/system_call_faults.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace lookwell {
namespace {

using test_support::listTree;
using test_support::writeFile;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

class StoreLayoutTest : public ::testing::Test {
protected:
    fs::path root() const { return temporary.path() / "hkcu"; }

    // Through the registration's own steps, which open the key afresh each time.
    Status setString(const std::string& path, const std::string& name, const char* data) {
        return SetStringValue(store, path.c_str(), name.c_str(), data);
    }
    Status setDword(const std::string& path, const std::string& name, std::uint32_t data) {
        return SetDwordValue(store, path.c_str(), name.c_str(), data);
    }

    test_support::TemporaryDirectory temporary;
    PosixSettingsStore store{root().string()};
};

TEST_F(StoreLayoutTest, AKeyAndAValueOfAnyNamesLiveSideBySide) {
    ASSERT_EQ(setString("K", "a", "string"), status::kSuccess);
    ASSERT_EQ(setDword("K", "b", 2), status::kSuccess);
    EXPECT_EQ(setString("K\\a.sz", "in", "x"), status::kSuccess);
    EXPECT_EQ(setString("K\\B.DWORD", "in", "y"), status::kSuccess);
    EXPECT_EQ(setString("K\\a%2Esz", "in", "z"), status::kSuccess);
    EXPECT_EQ(setString("K", "a", "again"), status::kSuccess);
    EXPECT_EQ(store.testKey("K\\A.SZ"), status::kSuccess);
    EXPECT_THAT(listTree(root() / "K"), ElementsAre("B%2EDWORD/", "B%2EDWORD/in.sz=y", "a%252Esz/",
                                                    "a%252Esz/in.sz=z", "a%2Esz/", "a%2Esz/in.sz=x",
                                                    "a.sz=again", "b.dword=\\x02\\x00\\x00\\x00"));
}

TEST_F(StoreLayoutTest, BothValueTypesTakeTheSameNamesAndKeysTakeTwoHundredFiftyFive) {
    const std::string escapedByte(1, '\x82');
    for (const std::string& name : {std::string(249, 'v'), std::string(83, '\x82')}) {
        EXPECT_EQ(setString("K", name, "s"), status::kSuccess);
        EXPECT_EQ(setDword("K", name, 1), status::kSuccess);
    }
    for (const std::string& name : {std::string(250, 'v'), std::string(84, '\x82')}) {
        EXPECT_EQ(setString("K", name, "s"), status::kInvalidParameter);
        EXPECT_EQ(setDword("K", name, 1), status::kInvalidParameter);
    }
    EXPECT_EQ(setDword(std::string(255, 'k'), "V", 1), status::kSuccess);
    EXPECT_EQ(setDword(std::string(85, '\x82'), "V", 1), status::kSuccess);
    EXPECT_EQ(setDword(std::string(250, 'k') + ".sz", "V", 1), status::kSuccess);
    // Their file names would pass 255 bytes.
    EXPECT_EQ(setDword(std::string(256, 'k'), "V", 1), status::kInvalidParameter);
    EXPECT_EQ(setDword(std::string(86, '\x82'), "V", 1), status::kInvalidParameter);
    EXPECT_EQ(setDword(std::string(251, 'k') + ".sz", "V", 1), status::kInvalidParameter);
}

// Inode and change time of every entry: a rewrite, a rename or a new file in a
// directory changes one of them.
std::map<std::string, std::tuple<ino_t, time_t, long>> fileIdentities(const fs::path& root) {
    std::map<std::string, std::tuple<ino_t, time_t, long>> identities;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        struct stat info {};
        EXPECT_EQ(lstat(entry.path().c_str(), &info), 0);
        identities[entry.path().string()] = {info.st_ino, info.st_ctim.tv_sec,
                                             info.st_ctim.tv_nsec};
    }
    return identities;
}

TEST_F(StoreLayoutTest, ASecondRegistrationOverAnUnchangedTreeWritesNothing) {
    fs::create_directories(root() / "Software" / "Tidemark");
    TidemarkRegistration registration(store);
    RegisterWithTidemark(registration, "/usr/bin/lookwell");
    const auto before = fileIdentities(root());
    // Time stamps that a write now would change.
    usleep(20'000);
    PosixSettingsStore again(root().string());
    TidemarkRegistration secondStart(again);
    RegisterWithTidemark(secondStart, "/usr/bin/lookwell");
    EXPECT_EQ(fileIdentities(root()), before);
    EXPECT_EQ(before.size(), 12u);
}

TEST_F(StoreLayoutTest, AWriteThatMakesNoProgressFailsAndKeepsTheOldValue) {
    ASSERT_EQ(setString("K", "V", "old"), status::kSuccess);
    {
        const test_support::WritesWithoutProgress stalled;
        EXPECT_EQ(setString("K", "V", "new"), status::kDiskFull);
    }
    EXPECT_THAT(listTree(root()), ElementsAre("K/", "K/V.sz=old"));
}

// A writer of V=`value` in its own process, caught before its rename.
pid_t stoppedWriter(const fs::path& root, const char* value) {
    int ready[2];
    if (pipe(ready) != 0) {
        return -1;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        PosixSettingsStore own(root.string());
        KeyHandle key = -1;
        test_support::stopAtNextRename(ready[1]);
        if (own.createKey("K", key) == status::kSuccess) {
            own.setString(key, "V", value);
        }
        _exit(1);
    }
    close(ready[1]);
    char byte = 0;
    const bool stopped = child > 0 && read(ready[0], &byte, 1) == 1;
    close(ready[0]);
    return stopped ? child : -1;
}

void kill(pid_t child) {
    ::kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

std::size_t temporaryFiles(const fs::path& key) {
    return static_cast<std::size_t>(
        std::ranges::count_if(fs::directory_iterator(key), [](const fs::directory_entry& entry) {
            return entry.path().filename().string().starts_with(".~");
        }));
}

TEST_F(StoreLayoutTest, AKilledWritersFileGoesWithTheNextWriteALiveWritersStays) {
    ASSERT_EQ(setString("K", "V", "old"), status::kSuccess);
    const pid_t killed = stoppedWriter(root(), "torn");
    ASSERT_GT(killed, 0);
    kill(killed);
    const pid_t live = stoppedWriter(root(), "pending");
    ASSERT_GT(live, 0);
    ASSERT_EQ(temporaryFiles(root() / "K"), 2u);

    EXPECT_EQ(setString("K", "V", "new"), status::kSuccess);
    EXPECT_EQ(temporaryFiles(root() / "K"), 1u);
    EXPECT_EQ(test_support::readFile(root() / "K" / "V.sz"), "new");
    kill(live);
    // Setting the value it already holds writes nothing, so cleans nothing either.
    EXPECT_EQ(setString("K", "V", "new"), status::kSuccess);
    EXPECT_EQ(temporaryFiles(root() / "K"), 1u);
    EXPECT_EQ(setDword("K", "W", 1), status::kSuccess);
    EXPECT_EQ(temporaryFiles(root() / "K"), 0u);
}

// Without locks a leftover goes only by its age; a lockless writer's file never
// goes by its free lock.
TEST_F(StoreLayoutTest, LeftoversThatNoLockSpeaksForGoOnlyOnceOlderThanAnyWrite) {
    const fs::path key = root() / "K";
    const std::string locking = ".~Ab12Cd34";
    const std::string lockless = ".~~Ef56Gh78";
    ASSERT_EQ(setString("K", "V", "old"), status::kSuccess);
    writeFile(key / lockless, "pending");
    for (int error : {0, ENOLCK}) {
        test_support::failLocksWith(error);
        writeFile(key / locking, "torn");
        EXPECT_EQ(setString("K", "V", std::to_string(error).c_str()), status::kSuccess);
        EXPECT_EQ(temporaryFiles(key), error == 0 ? 1u : 2u);
    }
    for (const std::string& name : {locking, lockless}) {
        fs::last_write_time(key / name, fs::last_write_time(key / name) - std::chrono::hours(25));
    }
    EXPECT_EQ(setString("K", "V", "new"), status::kSuccess);
    EXPECT_EQ(temporaryFiles(key), 0u);
    test_support::failLocksWith(0);
}

} // namespace
} // namespace lookwell

// The settings store on a real tree: its layout and name rules, case, escaping,
// name limits, writes skipped when nothing changed, and leftovers of writers
// that were killed or that could take no lock.
#include "registration/lookwell_registration.h"
#include "registration/posix_files.h"
#include "registration/posix_settings_store.h"
#include "registration/tidemark_registration.h"
#include "tests/registration/store_tree.h"
#include "tests/registration/system_call_faults.h"
#include "tests/support/scoped_environment.h"

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
using ::testing::IsEmpty;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

class PosixSettingsStoreTest : public ::testing::Test {
protected:
    fs::path root() const { return temporary.path() / "hkcu"; }

    // Each change goes through the registration's own step, which opens its
    // key (creating what is missing) and closes it again.
    Status setString(const std::string& path, const std::string& name, const std::string& data) {
        return SetStringValue(store, path.c_str(), name.c_str(), data.c_str());
    }
    Status setDword(const std::string& path, const std::string& name, std::uint32_t data) {
        return SetDwordValue(store, path.c_str(), name.c_str(), data);
    }
    Status deleteValue(const std::string& path, const std::string& name) {
        return DeleteValue(store, path.c_str(), name.c_str());
    }

    test_support::TemporaryDirectory temporary;
    PosixSettingsStore store{root().string()};
};

TEST_F(PosixSettingsStoreTest, ValuesAreFilesHoldingExactlyTheirBytes) {
    EXPECT_EQ(setString("Software\\Tidemark", "Text", "abc"), status::kSuccess);
    EXPECT_EQ(setString("Software\\Tidemark", "Empty", ""), status::kSuccess);
    EXPECT_EQ(setDword("Software\\Tidemark", "Number", 0x01020304), status::kSuccess);
    EXPECT_EQ(setDword("Software\\Tidemark", "Zero", 0), status::kSuccess);
    EXPECT_THAT(listTree(root()),
                ElementsAre("Software/", "Software/Tidemark/", "Software/Tidemark/Empty.sz=",
                            "Software/Tidemark/Number.dword=\\x04\\x03\\x02\\x01",
                            "Software/Tidemark/Text.sz=abc",
                            "Software/Tidemark/Zero.dword=\\x00\\x00\\x00\\x00"));
}

TEST_F(PosixSettingsStoreTest, AValueChangingTypeLeavesOneFile) {
    ASSERT_EQ(setString("K", "V", "text"), status::kSuccess);
    EXPECT_EQ(setDword("K", "v", 7), status::kSuccess);
    EXPECT_THAT(listTree(root()), ElementsAre("K/", "K/v.dword=\\x07\\x00\\x00\\x00"));
    EXPECT_EQ(setString("K", "V", "again"), status::kSuccess);
    EXPECT_THAT(listTree(root()), ElementsAre("K/", "K/V.sz=again"));
}

TEST_F(PosixSettingsStoreTest, TestKeyNeedsTheWholePathAndCreatesNothing) {
    EXPECT_EQ(store.testKey("Software\\Tidemark"), status::kNotFound);
    fs::create_directories(root() / "Software");
    EXPECT_EQ(store.testKey("Software\\Tidemark"), status::kNotFound);
    fs::create_directories(root() / "Software" / "Tidemark");
    EXPECT_EQ(store.testKey("Software\\Tidemark"), status::kSuccess);
    EXPECT_THAT(listTree(root()), ElementsAre("Software/", "Software/Tidemark/"));
}

TEST_F(PosixSettingsStoreTest, ExistingKeysAndValuesAreFoundWhateverTheirCase) {
    fs::create_directories(root() / "software" / "TIDEMARK");
    writeFile(root() / "software" / "TIDEMARK" / "author.SZ", "old");
    EXPECT_EQ(store.testKey("Software\\Tidemark"), status::kSuccess);
    EXPECT_EQ(setString("Software\\Tidemark", "Author", "new"), status::kSuccess);
    EXPECT_EQ(setString("SOFTWARE\\tidemark", "InfoURL", "u"), status::kSuccess);
    EXPECT_THAT(listTree(root()),
                ElementsAre("software/", "software/TIDEMARK/", "software/TIDEMARK/InfoURL.sz=u",
                            "software/TIDEMARK/author.SZ=new"));
    EXPECT_EQ(deleteValue("Software\\Tidemark", "AUTHOR"), status::kSuccess);
    EXPECT_EQ(deleteValue("Software\\Tidemark", "author"), status::kNotFound);
    writeFile(root() / "software" / "TIDEMARK" / "author.SZ", "again");
    writeFile(root() / "software" / "TIDEMARK" / "Build.DWord", "four");
    EXPECT_EQ(store.deleteKey("Software\\Tidemark"), status::kSuccess);
    EXPECT_THAT(listTree(root()), ElementsAre("software/"));
}

TEST_F(PosixSettingsStoreTest, OfSeveralSpellingsTheExactOneWinsOtherwiseTheSmallest) {
    fs::create_directories(root() / "kEY");
    fs::create_directories(root() / "Key");
    ASSERT_EQ(setString("Key", "V", "exact"), status::kSuccess);
    ASSERT_EQ(setString("KEY", "V", "folded"), status::kSuccess);
    EXPECT_THAT(listTree(root()), ElementsAre("Key/", "Key/V.sz=folded", "kEY/"));
}

TEST_F(PosixSettingsStoreTest, NameBytesOutsideTheSafeSetAreEscapedAndFoundAgain) {
    const std::string key = "a b/c";
    const std::string name = "x%\\\x82\xA0.+@-_";
    ASSERT_EQ(setString(key, name, "v"), status::kSuccess);
    EXPECT_THAT(listTree(root()), ElementsAre("a%20b%2Fc/", "a%20b%2Fc/x%25%5C%82%A0.+@-_.sz=v"));
    EXPECT_EQ(store.testKey(key), status::kSuccess);
    EXPECT_EQ(deleteValue(key, name), status::kSuccess);
    EXPECT_EQ(store.deleteKey(key), status::kSuccess);
    EXPECT_THAT(listTree(root()), IsEmpty());
}

TEST_F(PosixSettingsStoreTest, PathTricksAreRefusedAndNothingLeavesTheRoot) {
    fs::create_directories(root());
    for (std::string_view path :
         std::initializer_list<std::string_view>{"", "\\", "a\\\\b", "\\a", "a\\", "..", ".",
                                                 "a\\..\\..\\b", std::string_view("a\0b", 3)}) {
        KeyHandle key = -1;
        EXPECT_EQ(store.testKey(path), status::kInvalidParameter) << path;
        EXPECT_EQ(store.createKey(path, key), status::kInvalidParameter) << path;
        EXPECT_EQ(store.deleteKey(path), status::kInvalidParameter) << path;
    }
    for (const char* name : {"", ".", ".."}) {
        EXPECT_EQ(setString("K", name, "v"), status::kInvalidParameter) << name;
        EXPECT_EQ(setDword("K", name, 1), status::kInvalidParameter) << name;
        EXPECT_EQ(deleteValue("K", name), status::kInvalidParameter) << name;
    }
    // A C string cannot carry a zero byte; the store's own names can.
    KeyHandle key = -1;
    ASSERT_EQ(store.createKey("K", key), status::kSuccess);
    const std::string_view zeroInside("a\0b", 3);
    EXPECT_EQ(store.setString(key, zeroInside, "v"), status::kInvalidParameter);
    EXPECT_EQ(store.setDword(key, zeroInside, 1), status::kInvalidParameter);
    EXPECT_EQ(store.deleteValue(key, zeroInside), status::kInvalidParameter);
    store.closeKey(key);
    EXPECT_THAT(listTree(temporary.path()), ElementsAre("hkcu/", "hkcu/K/"));
}

TEST_F(PosixSettingsStoreTest, NamesTooLongForAFileNameAreRefused) {
    const std::string longest(255 - 6, 'n');
    EXPECT_EQ(setDword("K", longest, 1), status::kSuccess);
    EXPECT_EQ(setDword("K", longest + "n", 1), status::kInvalidParameter);
    EXPECT_EQ(setString("K", std::string(85, '/'), "v"), status::kInvalidParameter);
    KeyHandle key = -1;
    EXPECT_EQ(store.createKey(std::string(256, 'k'), key), status::kInvalidParameter);
}

TEST_F(PosixSettingsStoreTest, SymbolicLinksAreNeverFollowedOutOfTheRoot) {
    fs::create_directories(root());
    fs::create_directories(temporary.path() / "outside");
    fs::create_directory_symlink(temporary.path() / "outside", root() / "Software");
    EXPECT_EQ(store.testKey("Software"), status::kNotFound);
    EXPECT_EQ(setString("Software", "V", "v"), status::kAlreadyExists);
    EXPECT_EQ(store.deleteKey("Software"), status::kNotFound);
    EXPECT_TRUE(fs::is_empty(temporary.path() / "outside"));
}

TEST_F(PosixSettingsStoreTest, AFileWhereAKeyMustBeIsReportedAndLeftAlone) {
    fs::create_directories(root() / "Software");
    writeFile(root() / "Software" / "Tidemark", "not a key");
    EXPECT_EQ(store.testKey("Software\\Tidemark"), status::kNotFound);
    EXPECT_EQ(setString("Software\\Tidemark\\Vendor", "V", "v"), status::kAlreadyExists);
    EXPECT_EQ(store.deleteKey("Software\\Tidemark"), status::kNotFound);
    EXPECT_THAT(listTree(root()), ElementsAre("Software/", "Software/Tidemark=not a key"));
}

TEST_F(PosixSettingsStoreTest, ARootThatIsAFileHoldsNoKeys) {
    writeFile(root(), "");
    KeyHandle key = -1;
    EXPECT_EQ(store.testKey("K"), status::kNotFound);
    EXPECT_EQ(store.createKey("K", key), status::kNotFound);
}

TEST_F(PosixSettingsStoreTest, CreateKeyMakesTheRootAndEveryMissingKey) {
    PosixSettingsStore deep((temporary.path() / "home" / ".config" / "hkcu").string());
    KeyHandle key = -1;
    ASSERT_EQ(deep.createKey("A\\B\\C", key), status::kSuccess);
    EXPECT_EQ(deep.setDword(key, "D", 1), status::kSuccess);
    deep.closeKey(key);
    EXPECT_TRUE(fs::exists(temporary.path() / "home/.config/hkcu/A/B/C/D.dword"));
}

TEST_F(PosixSettingsStoreTest, DeleteValueRemovesEitherTypeAndReportsAMissingOne) {
    ASSERT_EQ(setString("K", "V", "v"), status::kSuccess);
    // Both types at once can only come from an outside hand; deleting removes both.
    writeFile(root() / "K" / "V.dword", std::string_view("\x01\x00\x00\x00", 4));
    EXPECT_EQ(deleteValue("K", "V"), status::kSuccess);
    EXPECT_EQ(deleteValue("K", "V"), status::kNotFound);
    EXPECT_THAT(listTree(root()), ElementsAre("K/"));
}

TEST_F(PosixSettingsStoreTest, DeleteKeyTakesItsValuesButNotItsSubkeys) {
    EXPECT_EQ(store.deleteKey("A\\B"), status::kNotFound);
    ASSERT_EQ(setString("A\\B", "V", "v"), status::kSuccess);
    ASSERT_EQ(setDword("A\\B\\C", "D", 1), status::kSuccess);
    EXPECT_EQ(store.deleteKey("A\\B"), status::kAccessDenied);
    EXPECT_EQ(store.deleteKey("a\\b\\c"), status::kSuccess);
    EXPECT_EQ(store.deleteKey("A\\B"), status::kSuccess);
    EXPECT_THAT(listTree(root()), ElementsAre("A/"));
}

TEST_F(PosixSettingsStoreTest, DeleteKeyLeavesKeysHoldingForeignFiles) {
    ASSERT_EQ(setString("K", "V", "v"), status::kSuccess);
    writeFile(root() / "K" / "notes.txt", "mine");
    EXPECT_EQ(store.deleteKey("K"), status::kAccessDenied);
    EXPECT_THAT(listTree(root()), ElementsAre("K/", "K/V.sz=v", "K/notes.txt=mine"));
}

TEST_F(PosixSettingsStoreTest, LeftoversOfAnInterruptedWriteAreNoValues) {
    ASSERT_EQ(setString("K", "V", "kept"), status::kSuccess);
    writeFile(root() / "K" / ".~Ab12Cd34", "torn");
    EXPECT_EQ(setString("K", "V", "new"), status::kSuccess);
    EXPECT_EQ(deleteValue("K", ".~Ab12Cd34"), status::kNotFound);
    EXPECT_EQ(store.deleteKey("K"), status::kSuccess);
    EXPECT_THAT(listTree(root()), IsEmpty());
}

TEST_F(PosixSettingsStoreTest, AFailedReplacementKeepsTheOldValueAndLeavesNoTemporaryFile) {
    ASSERT_EQ(setString("K", "V", "kept"), status::kSuccess);
    // A directory with the new value's file name makes the final rename fail.
    fs::create_directories(root() / "K" / "V.dword" / "inside");
    EXPECT_EQ(setDword("K", "V", 1), status::kAccessDenied);
    EXPECT_THAT(listTree(root()),
                ElementsAre("K/", "K/V.dword/", "K/V.dword/inside/", "K/V.sz=kept"));
}

TEST_F(PosixSettingsStoreTest, AWriterWhoseFileIsReplacedBeforeItsLockTriesAnotherName) {
    // Moved away, still linked, as NFS keeps a file unlinked while open.
    test_support::beforeNextLock([](int fd) {
        const fs::path file = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
        fs::rename(file, file.parent_path() / ".nfs0001");
        writeFile(file, "");
    });
    EXPECT_EQ(setString("K", "V", "v"), status::kSuccess);
    EXPECT_EQ(test_support::readFile(root() / "K" / "V.sz"), "v");
}

TEST_F(PosixSettingsStoreTest, AKeyRenamedBetweenTwoCallsIsNeverWrittenThrough) {
    ASSERT_EQ(setString("A\\B", "V", "v"), status::kSuccess);
    fs::rename(root() / "A" / "B", root() / "A" / "Moved");
    EXPECT_EQ(setString("A\\B", "W", "w"), status::kSuccess);
    EXPECT_THAT(listTree(root()),
                ElementsAre("A/", "A/B/", "A/B/W.sz=w", "A/Moved/", "A/Moved/V.sz=v"));
}

TEST_F(PosixSettingsStoreTest, NoOperationLeavesADescriptorOpen) {
    const auto openDescriptors = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    const auto before = openDescriptors();
    {
        PosixSettingsStore scoped(root().string());
        KeyHandle key = -1;
        EXPECT_EQ(scoped.testKey("A"), status::kNotFound);
        EXPECT_EQ(SetStringValue(scoped, "A\\B", "V", "v"), status::kSuccess);
        EXPECT_EQ(SetDwordValue(scoped, "A\\B", "V", 1), status::kSuccess);
        EXPECT_EQ(DeleteValue(scoped, "A\\B", "Missing"), status::kNotFound);
        EXPECT_EQ(scoped.testKey("A\\B"), status::kSuccess);
        EXPECT_EQ(scoped.deleteKey("A"), status::kAccessDenied);
        EXPECT_EQ(scoped.deleteKey("A\\B"), status::kSuccess);
        EXPECT_EQ(scoped.deleteKey("A\\B"), status::kNotFound);
        writeFile(root() / "A" / "F", "");
        EXPECT_EQ(scoped.createKey("A\\F\\G", key), status::kAlreadyExists);
        EXPECT_EQ(scoped.createKey("A\\..", key), status::kInvalidParameter);
        EXPECT_EQ(openDescriptors(), before);
    }
}

TEST_F(PosixSettingsStoreTest, AForeignHandleIsRefused) {
    EXPECT_EQ(store.setString(-1, "V", "v"), status::kInvalidHandle);
    EXPECT_EQ(store.deleteValue(-1, "V"), status::kInvalidHandle);
}

TEST_F(PosixSettingsStoreTest, AKeyAndAValueOfAnyNamesLiveSideBySide) {
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

TEST_F(PosixSettingsStoreTest, BothValueTypesTakeTheSameNamesAndKeysTakeTwoHundredFiftyFive) {
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
        struct stat info = {};
        EXPECT_EQ(lstat(entry.path().c_str(), &info), 0);
        identities[entry.path().string()] = {info.st_ino, info.st_ctim.tv_sec,
                                             info.st_ctim.tv_nsec};
    }
    return identities;
}

TEST_F(PosixSettingsStoreTest, ASecondRegistrationOverAnUnchangedTreeWritesNothing) {
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

TEST_F(PosixSettingsStoreTest, AWriteThatMakesNoProgressFailsAndKeepsTheOldValue) {
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

TEST_F(PosixSettingsStoreTest, AKilledWritersFileGoesWithTheNextWriteALiveWritersStays) {
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

// Without locks a leftover goes only by its age; a lockless writer's file, or
// another host's, never goes by its free lock.
TEST_F(PosixSettingsStoreTest, LeftoversThatNoLockSpeaksForGoOnlyOnceOlderThanAnyWrite) {
    const fs::path key = root() / "K";
    const std::string locking = ".~" + posix_files::thisBootsTag() + "Ab12Cd34";
    const std::string lockless = ".~~Ef56Gh78";
    const std::string othersHost = ".~Ij90Kl12Mn34Op56";
    ASSERT_EQ(setString("K", "V", "old"), status::kSuccess);
    writeFile(key / lockless, "pending");
    writeFile(key / othersHost, "pending");
    for (int error : {0, ENOLCK}) {
        const test_support::LocksFail locks(error);
        writeFile(key / locking, "torn");
        EXPECT_EQ(setString("K", "V", std::to_string(error)), status::kSuccess);
        EXPECT_EQ(temporaryFiles(key), error == 0 ? 2u : 3u);
    }
    const test_support::LocksFail noLocks(ENOLCK);
    // Ages by the directory's clock: an hour short of the limit, an hour ahead, past the limit.
    const std::chrono::seconds limit(posix_files::kAbandonedAfterSeconds);
    for (const std::chrono::seconds age : {limit - 1h, -3600s, limit + 1h}) {
        for (const std::string& name : {locking, lockless, othersHost}) {
            fs::last_write_time(key / name, fs::file_time_type::clock::now() - age);
        }
        EXPECT_EQ(setString("K", "V", std::to_string(age.count())), status::kSuccess);
        EXPECT_EQ(temporaryFiles(key), age > limit ? 0u : 3u);
    }
}

TEST(UserStoreRoot, FollowsTheXdgRules) {
    test_support::ScopedEnvironment config("XDG_CONFIG_HOME", "/cfg");
    test_support::ScopedEnvironment home("HOME", "/home/u");
    EXPECT_EQ(userStoreRoot(), "/cfg/hkcu");
    config.set("relative");
    EXPECT_EQ(userStoreRoot(), "/home/u/.config/hkcu");
    config.set(nullptr);
    EXPECT_EQ(userStoreRoot(), "/home/u/.config/hkcu");
    home.set(nullptr);
    EXPECT_EQ(userStoreRoot(), std::nullopt);
    EXPECT_EQ(openUserStore(), nullptr);
}

} // namespace
} // namespace lookwell

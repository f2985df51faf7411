#include "registration/posix_files.h"

#include "registration/store_names.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <random>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lookwell::posix_files {
namespace {

constexpr mode_t kKeyMode = 0700;
constexpr mode_t kValueMode = 0600;
constexpr int kTemporaryNameAttempts = 100;

Status lastError() {
    return statusFromErrno(errno);
}

EntryKind kindOf(DIR* directory, const dirent& entry) {
    switch (entry.d_type) {
    case DT_DIR:
        return EntryKind::Directory;
    case DT_REG:
        return EntryKind::File;
    case DT_UNKNOWN:
        break;
    default:
        return EntryKind::Other;
    }
    struct stat info = {};
    if (fstatat(dirfd(directory), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return EntryKind::Other;
    }
    return S_ISDIR(info.st_mode) ? EntryKind::Directory
                                 : (S_ISREG(info.st_mode) ? EntryKind::File : EntryKind::Other);
}

// Eight bytes, spelled as eight characters of a temporary file's name.
using NamePart = std::array<unsigned char, 8>;

std::string spelled(const NamePart& bytes) {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string text;
    for (unsigned char byte : bytes) {
        text += kAlphabet[byte % kAlphabet.size()];
    }
    return text;
}

std::string randomNamePart() {
    NamePart random{};
    if (getrandom(random.data(), random.size(), GRND_NONBLOCK) !=
        static_cast<ssize_t>(random.size())) {
        // Before the kernel has entropy the names are merely predictable; O_EXCL
        // still keeps writers apart.
        static std::minstd_rand fallback(static_cast<unsigned>(getpid() ^ time(nullptr)));
        std::ranges::generate(random, [] { return static_cast<unsigned char>(fallback()); });
    }
    return spelled(random);
}

// FNV-1a: stable across builds and versions, unlike std::hash, so every
// process of one host and boot spells the same tag.
NamePart hashed(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325;
    for (char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    }
    NamePart bytes{};
    for (unsigned char& byte : bytes) {
        byte = static_cast<unsigned char>(hash);
        hash >>= 8;
    }
    return bytes;
}

// The host name and the boot id together: flock() locks are kept by one running
// kernel, and the boot id tells two hosts of one name apart.
std::optional<std::string> hostAndBoot() {
    std::array<char, 256> host{};
    std::string boot;
    if (gethostname(host.data(), host.size() - 1) != 0 ||
        !(std::ifstream("/proc/sys/kernel/random/boot_id") >> boot)) {
        return std::nullopt;
    }
    return std::string(host.data()) + '\n' + boot;
}

// Holds no part of the value's name, so it always fits in a file name.
static_assert(store_names::kUnlockedTemporaryPrefix.size() + 2 * std::tuple_size_v<NamePart> <=
              store_names::kMaxFileName);

std::string temporaryName(std::string_view prefix) {
    return std::string(prefix) + thisBootsTag() + randomNamePart();
}

int lockFile(int fd, int operation) {
    int result = 0;
    while ((result = flock(fd, operation)) != 0 && errno == EINTR) {
    }
    return result;
}

// What flock() answers where the file system keeps no locks at all.
bool locksUnsupported(int error) {
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS;
}

// True when `name` is still the file open as `fd`. A link count would not do:
// NFS keeps a file that is unlinked while open under a new name, still linked.
bool nameLeadsTo(int dirFd, const std::string& name, int fd) {
    struct stat opened = {};
    struct stat named = {};
    return fstat(fd, &opened) == 0 &&
           fstatat(dirFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           opened.st_ino == named.st_ino && opened.st_dev == named.st_dev;
}

// A new temporary file, locked for as long as `file` stays open: the lock tells
// leftovers from files that a live writer still works on. A cleaner may take a
// new file for a leftover in the moment before it is locked; its name then no
// longer leads to it once the lock is ours, and another name is tried. Where no
// lock can be had, the file is made again under the name of an unlocked one.
Status createTemporary(int dirFd, std::string& name, UniqueFd& file) {
    std::string_view prefix = store_names::kTemporaryPrefix;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        name = temporaryName(prefix);
        file = UniqueFd(openat(dirFd, name.c_str(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kValueMode));
        if (!file.valid()) {
            if (errno != EEXIST) {
                return lastError();
            }
        } else if (prefix == store_names::kUnlockedTemporaryPrefix) {
            return status::kSuccess;
        } else if (lockFile(file.get(), LOCK_EX) != 0) {
            const int error = errno;
            unlinkat(dirFd, name.c_str(), 0);
            if (!locksUnsupported(error)) {
                return statusFromErrno(error);
            }
            prefix = store_names::kUnlockedTemporaryPrefix;
        } else if (nameLeadsTo(dirFd, name, file.get())) {
            return status::kSuccess;
        }
    }
    return status::kAlreadyExists;
}

// Stamped more than kAbandonedAfterSeconds before the directory, whose time right
// after a write into it is the file system's "now". A file stamped after it, by
// a clock running ahead, is never old.
bool isOlderThanAnyWrite(int dirFd, int fd) {
    struct stat file = {};
    struct stat directory = {};
    return fstat(fd, &file) == 0 && fstat(dirFd, &directory) == 0 &&
           file.st_mtim.tv_sec < directory.st_mtim.tv_sec - kAbandonedAfterSeconds;
}

// Held also stands for an answer that is neither "free" nor "no locks here":
// keeping a file is the harmless mistake.
enum class LockState { Free, Held, Unknown };

LockState lockStateOf(const std::string& name, int fd) {
    if (name.starts_with(store_names::kUnlockedTemporaryPrefix)) {
        return LockState::Unknown;
    }
    // Shared, because NFS makes flock() a byte-range lock, and an exclusive one
    // needs a file opened for writing; it still meets the writer's.
    if (lockFile(fd, LOCK_SH | LOCK_NB) == 0) {
        return LockState::Free;
    }
    return locksUnsupported(errno) ? LockState::Unknown : LockState::Held;
}

// Made by a writer whose lock this kernel keeps. Another host's lock may be
// kept where it runs only (NFS with `nolock` or `local_lock=flock`, FUSE
// without locks), so there a free lock proves nothing.
bool isThisBootsLockedTemporary(const std::string& name) {
    return name.starts_with(std::string(store_names::kTemporaryPrefix) + thisBootsTag());
}

bool isAbandoned(int dirFd, const std::string& name, int fd) {
    const LockState lock = lockStateOf(name, fd);
    return lock != LockState::Held &&
           ((lock == LockState::Free && isThisBootsLockedTemporary(name)) ||
            isOlderThanAnyWrite(dirFd, fd));
}

Status writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return lastError();
        }
        // A write that makes no progress would make none on the next try either.
        if (written == 0) {
            return status::kDiskFull;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return status::kSuccess;
}

Status writeDurably(int fd, std::string_view bytes) {
    const Status result = writeAll(fd, bytes);
    return result == status::kSuccess && fsync(fd) != 0 ? lastError() : result;
}

} // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = other.release();
    }
    return *this;
}

UniqueFd::~UniqueFd() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

int UniqueFd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

Status statusFromErrno(int error) {
    switch (error) {
    case 0:
        return status::kSuccess;
    case ENOENT:
    case ENOTDIR:
        return status::kNotFound;
    case EMFILE:
    case ENFILE:
        return status::kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ENOTEMPTY:
    case ETXTBSY:
        return status::kAccessDenied;
    case EBADF:
        return status::kInvalidHandle;
    case ENOMEM:
        return status::kNotEnoughMemory;
    case EINVAL:
    case ENAMETOOLONG:
    case ELOOP:
        return status::kInvalidParameter;
    case ENOSPC:
    case EDQUOT:
        return status::kDiskFull;
    case EEXIST:
        return status::kAlreadyExists;
    case EIO:
        return status::kIoDevice;
    default:
        return status::kGeneralFailure;
    }
}

Status listEntries(int dirFd, std::vector<Entry>& entries) {
    // A fresh open of the directory, so reading it never moves the caller's offset.
    const int fd = openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return lastError();
    }
    DIR* directory = fdopendir(fd);
    if (directory == nullptr) {
        const Status result = lastError();
        close(fd);
        return result;
    }
    entries.clear();
    Status result = status::kSuccess;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(directory);
        if (entry == nullptr) {
            result = lastError();
            break;
        }
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            entries.push_back({std::string(name), kindOf(directory, *entry)});
        }
    }
    closedir(directory);
    return result;
}

Status replaceFile(int dirFd, const std::string& name, std::string_view bytes) {
    std::string temporary;
    UniqueFd file;
    Status result = createTemporary(dirFd, temporary, file);
    if (result != status::kSuccess) {
        return result;
    }
    result = writeDurably(file.get(), bytes);
    if (result == status::kSuccess &&
        renameat(dirFd, temporary.c_str(), dirFd, name.c_str()) != 0) {
        result = lastError();
    }
    if (result != status::kSuccess) {
        unlinkat(dirFd, temporary.c_str(), 0);
    }
    // Closing gives up the lock, only now that the temporary name is gone; a
    // failing close can still report lost data.
    if (close(file.release()) != 0 && result == status::kSuccess) {
        result = lastError();
    }
    return result;
}

bool hasContent(int dirFd, const std::string& name, std::string_view bytes) {
    const UniqueFd file(openat(dirFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info = {};
    if (!file.valid() || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_size) != bytes.size()) {
        return false;
    }
    std::string stored(bytes.size(), '\0');
    std::size_t filled = 0;
    while (filled < stored.size()) {
        const ssize_t got = read(file.get(), stored.data() + filled, stored.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        filled += static_cast<std::size_t>(got);
    }
    return stored == bytes;
}

const std::string& thisBootsTag() {
    static const std::string tag = [] {
        const std::optional<std::string> identity = hostAndBoot();
        // A tag of this process alone still trusts no other kernel's locks.
        return identity ? spelled(hashed(*identity)) : randomNamePart();
    }();
    return tag;
}

bool isTemporary(const Entry& entry) {
    return entry.kind == EntryKind::File && entry.name.starts_with(store_names::kTemporaryPrefix);
}

void removeIfLeftover(int dirFd, const std::string& name) {
    const UniqueFd file(
        openat(dirFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    // The name must still be the file judged: a writer may have renamed it away
    // and another taken the name meanwhile.
    if (file.valid() && isAbandoned(dirFd, name, file.get()) &&
        nameLeadsTo(dirFd, name, file.get())) {
        unlinkat(dirFd, name.c_str(), 0);
    }
}

Status makeDirectory(int dirFd, const std::string& name) {
    return mkdirat(dirFd, name.c_str(), kKeyMode) == 0 ? status::kSuccess : lastError();
}

Status makeDirectories(const std::string& path) {
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string prefix = path.substr(0, end);
        if (mkdir(prefix.c_str(), kKeyMode) != 0 && errno != EEXIST) {
            return lastError();
        }
        if (end == std::string::npos) {
            return status::kSuccess;
        }
    }
}

Status removeFile(int dirFd, const std::string& name) {
    return unlinkat(dirFd, name.c_str(), 0) == 0 ? status::kSuccess : lastError();
}

Status flushDirectory(int dirFd) {
    return fsync(dirFd) == 0 ? status::kSuccess : lastError();
}

} // namespace lookwell::posix_files

#pragma once

#include "registration/settings_store.h"

#include <string>
#include <string_view>
#include <vector>

// File-system steps of the settings store, each reporting a system error code.
namespace lookwell::posix_files {

// Owns one file descriptor and closes it on every path.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();

private:
    int fd_ = -1;
};

// errno as a system error code:
//   ENOENT, ENOTDIR                  -> 2    the key or value is not there
//   EMFILE, ENFILE                   -> 4    too many open files
//   EACCES, EPERM, EROFS, EISDIR,
//   ENOTEMPTY, ETXTBSY               -> 5    access denied
//   EBADF                            -> 6    invalid handle
//   ENOMEM                           -> 8    not enough memory
//   EINVAL, ENAMETOOLONG, ELOOP      -> 87   invalid parameter (ELOOP: a symbolic link
//                                            where a key must be)
//   ENOSPC, EDQUOT                   -> 112  disk full
//   EEXIST                           -> 183  something else is in the way
//   EIO                              -> 1117 I/O device error
//   anything else                    -> 31   general failure
Status statusFromErrno(int error);

enum class EntryKind { Directory, File, Other };

struct Entry {
    std::string name;
    EntryKind kind;
};

// The entries of a directory other than "." and "..", symbolic links as Other.
Status listEntries(int dirFd, std::vector<Entry>& entries);

// Replaces `name` in the directory by a file holding exactly `bytes`: the data goes
// to a temporary file that is flushed to disk and then renamed over the old one,
// so a crash or a full disk leaves either the old file or the new one. The
// temporary file's name carries thisBootsTag(), and the file is flock()ed from
// its creation until its name is gone. Where the file system keeps no locks (NFS
// without a lock manager, some FUSE file systems) the write goes on without one,
// under a temporary name that says so.
Status replaceFile(int dirFd, const std::string& name, std::string_view bytes);

// True when `name` is a regular file holding exactly `bytes`.
bool hasContent(int dirFd, const std::string& name, std::string_view bytes);

// Follows the prefix in the names of the temporary files this process writes:
// hashed from the host name and the boot id, so the same in every process of
// this host and boot and, but for a chance of one in 62^8, different on any
// other. Where either cannot be read, one of this process alone.
const std::string& thisBootsTag();

// A temporary file: one still being written, or one that a killed writer left.
bool isTemporary(const Entry& entry);

// How long a temporary file that no lock speaks for must have gone unchanged
// before it is taken for a leftover: far longer than any write of a value takes
// from its last change to its rename.
inline constexpr long kAbandonedAfterSeconds = 7 * 24 * 60 * 60;

// Removes the temporary file `name` when it is taken for abandoned.
// Called right after a write into the same directory, whose modification time
// then is the file system's "now". A file whose lock is held always stays.
// - One of this host and boot whose lock is free goes at once. So where the file
//   system keeps locks, a file that a live writer of this host has locked is
//   never removed; one taken in the moment before its lock only makes its
//   writer try another name.
// - Any other goes only once its time stamp is more than kAbandonedAfterSeconds
//   behind the directory's, and never when it is ahead of it: a file written
//   without a lock, one whose lock cannot be asked for, and one of another host
//   or boot, whose lock may be kept where its writer runs only (NFS mounted with
//   `nolock` or `local_lock=flock`, FUSE without locks). When the file system
//   stamps both by one clock, only a writer stalled that long can lose its own
//   write; a value is never removed.
void removeIfLeftover(int dirFd, const std::string& name);

Status makeDirectory(int dirFd, const std::string& name);
Status makeDirectories(const std::string& path);
Status removeFile(int dirFd, const std::string& name);
Status flushDirectory(int dirFd);

} // namespace lookwell::posix_files

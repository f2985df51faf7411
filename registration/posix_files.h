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
// temporary file is flock()ed from its creation until its name is gone, so it is
// never taken for a leftover. Where the file system keeps no locks (NFS without
// a lock manager, some FUSE file systems) the write goes on without one, under
// a temporary name that says so.
Status replaceFile(int dirFd, const std::string& name, std::string_view bytes);

// True when `name` is a regular file holding exactly `bytes`.
bool hasContent(int dirFd, const std::string& name, std::string_view bytes);

// A temporary file: one still being written, or one that a killed writer left.
bool isTemporary(const Entry& entry);

// Longer than any write of a value takes, from its last change of the temporary
// file to its rename.
inline constexpr long kLongestWriteSeconds = 24 * 60 * 60;

// Removes the temporary file `name` when it is provably abandoned: its writer's
// lock is free, or, where there are no locks to ask (the file system keeps none,
// or its writer could take none), it is older than kLongestWriteSeconds. Called
// right after a write into the same directory, whose modification time then is
// the file system's "now", so a client's clock running ahead never makes a live
// writer's file look old.
void removeIfLeftover(int dirFd, const std::string& name);

Status makeDirectory(int dirFd, const std::string& name);
Status makeDirectories(const std::string& path);
Status removeFile(int dirFd, const std::string& name);
Status flushDirectory(int dirFd);

} // namespace lookwell::posix_files

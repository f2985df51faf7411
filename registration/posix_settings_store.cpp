#include "registration/posix_settings_store.h"

#include "registration/store_names.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace lookwell {
namespace {

using posix_files::Entry;
using posix_files::EntryKind;
using posix_files::UniqueFd;
using store_names::kDwordSuffix;
using store_names::kStringSuffix;

// Runs one store operation; running out of memory anywhere in it is result 8.
template <typename Operation>
Status guarded(Operation operation) {
    try {
        return operation();
    } catch (const std::bad_alloc&) {
        return status::kNotEnoughMemory;
    }
}

// The on-disk spelling of `fileName` among entries of that kind: the exact spelling
// when it exists, otherwise the smallest spelling equal without regard to case,
// otherwise empty.
std::string spellingOnDisk(const std::vector<Entry>& entries, std::string_view fileName,
                           EntryKind kind) {
    std::string found;
    for (const Entry& entry : entries) {
        if (entry.kind != kind || !store_names::equalIgnoringAsciiCase(entry.name, fileName)) {
            continue;
        }
        if (entry.name == fileName) {
            return entry.name;
        }
        if (found.empty() || entry.name < found) {
            found = entry.name;
        }
    }
    return found;
}

Status findEntry(int dirFd, std::string_view fileName, EntryKind kind, std::string& found) {
    std::vector<Entry> entries;
    const Status result = posix_files::listEntries(dirFd, entries);
    found = result == status::kSuccess ? spellingOnDisk(entries, fileName, kind) : std::string();
    return result;
}

// What a key's directory holds for one value: the spellings of its string and
// 32-bit files (empty when absent), and the temporary files of writes that
// are running or were interrupted.
struct ValueFiles {
    std::string string;
    std::string dword;
    std::vector<std::string> temporaries;
};

Status findValueFiles(int dirFd, std::string_view name, ValueFiles& files) {
    std::vector<Entry> entries;
    const Status result = posix_files::listEntries(dirFd, entries);
    files.string =
        spellingOnDisk(entries, store_names::valueFileName(name, kStringSuffix), EntryKind::File);
    files.dword =
        spellingOnDisk(entries, store_names::valueFileName(name, kDwordSuffix), EntryKind::File);
    for (const Entry& entry : entries) {
        if (posix_files::isTemporary(entry)) {
            files.temporaries.push_back(entry.name);
        }
    }
    return result;
}

Status openDirectory(int dirFd, const std::string& name, UniqueFd& directory) {
    directory =
        UniqueFd(openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    return directory.valid() ? status::kSuccess : posix_files::statusFromErrno(errno);
}

// Makes a new key, durably, unless a key of that name appeared meanwhile.
Status makeKey(int parentFd, const std::string& fileName, std::string& made) {
    Status result = posix_files::makeDirectory(parentFd, fileName);
    if (result == status::kAlreadyExists) {
        result = findEntry(parentFd, fileName, EntryKind::Directory, made);
        return result != status::kSuccess || !made.empty() ? result : status::kAlreadyExists;
    }
    made = fileName;
    return result == status::kSuccess ? posix_files::flushDirectory(parentFd) : result;
}

Status openChildKey(int parentFd, std::string_view name, bool create, UniqueFd& child) {
    const std::string fileName = store_names::keyFileName(name);
    // The exact spelling wins whenever it is a key, so trying it first spares
    // listing the parent in the usual case, where every name is spelled as made.
    if (openDirectory(parentFd, fileName, child) == status::kSuccess) {
        return status::kSuccess;
    }
    std::string onDisk;
    Status result = findEntry(parentFd, fileName, EntryKind::Directory, onDisk);
    if (result == status::kSuccess && onDisk.empty()) {
        result = create ? makeKey(parentFd, fileName, onDisk) : status::kNotFound;
    }
    return result == status::kSuccess ? openDirectory(parentFd, onDisk, child) : result;
}

// A key may be deleted with its values (and leftovers of interrupted writes), never
// with subkeys or anything the store did not write.
bool isKeyContent(const Entry& entry) {
    const std::string_view name = entry.name;
    return posix_files::isTemporary(entry) ||
           (entry.kind == EntryKind::File &&
            (store_names::endsWithIgnoringAsciiCase(name, kStringSuffix) ||
             store_names::endsWithIgnoringAsciiCase(name, kDwordSuffix)));
}

Status removeKeyContent(int keyFd) {
    std::vector<Entry> entries;
    Status result = posix_files::listEntries(keyFd, entries);
    if (result != status::kSuccess) {
        return result;
    }
    if (!std::ranges::all_of(entries, isKeyContent)) {
        return status::kAccessDenied;
    }
    for (const Entry& entry : entries) {
        if (result = posix_files::removeFile(keyFd, entry.name); result != status::kSuccess) {
            return result;
        }
    }
    return status::kSuccess;
}

Status removeKey(int parentFd, std::string_view name) {
    std::string onDisk;
    Status result =
        findEntry(parentFd, store_names::keyFileName(name), EntryKind::Directory, onDisk);
    if (result != status::kSuccess || onDisk.empty()) {
        return result != status::kSuccess ? result : status::kNotFound;
    }
    UniqueFd key;
    if (result = openDirectory(parentFd, onDisk, key); result == status::kSuccess) {
        result = removeKeyContent(key.get());
    }
    if (result == status::kSuccess && unlinkat(parentFd, onDisk.c_str(), AT_REMOVEDIR) != 0) {
        // Something appeared inside meanwhile: the key is not empty.
        result = errno == EEXIST ? status::kAccessDenied : posix_files::statusFromErrno(errno);
    }
    return result == status::kSuccess ? posix_files::flushDirectory(parentFd) : result;
}

std::array<char, 4> littleEndian(std::uint32_t value) {
    std::array<char, 4> bytes{};
    for (char& byte : bytes) {
        byte = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
    return bytes;
}

} // namespace

PosixSettingsStore::PosixSettingsStore(std::string rootDirectory)
    : root_(std::move(rootDirectory)) {}

Status PosixSettingsStore::openRoot(bool create, UniqueFd& root) const {
    root = UniqueFd(open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (root.valid()) {
        return status::kSuccess;
    }
    if (errno != ENOENT || !create) {
        return posix_files::statusFromErrno(errno);
    }
    const Status result = posix_files::makeDirectories(root_);
    return result == status::kSuccess ? openRoot(false, root) : result;
}

Status PosixSettingsStore::openKey(std::span<const std::string_view> names, bool create,
                                   UniqueFd& key) const {
    Status result = openRoot(create, key);
    for (std::size_t next = 0; result == status::kSuccess && next < names.size(); ++next) {
        UniqueFd child;
        result = openChildKey(key.get(), names[next], create, child);
        key = std::move(child);
    }
    return result;
}

Status PosixSettingsStore::testKey(std::string_view path) {
    return guarded([&] {
        std::vector<std::string_view> names;
        UniqueFd key;
        const Status result = store_names::splitKeyPath(path, names);
        return result == status::kSuccess ? openKey(names, false, key) : result;
    });
}

Status PosixSettingsStore::createKey(std::string_view path, KeyHandle& key) {
    return guarded([&] {
        std::vector<std::string_view> names;
        UniqueFd opened;
        Status result = store_names::splitKeyPath(path, names);
        if (result == status::kSuccess) {
            result = openKey(names, true, opened);
        }
        key = opened.release();
        return result;
    });
}

Status PosixSettingsStore::setValue(KeyHandle key, std::string_view name, std::string_view suffix,
                                    std::string_view bytes) {
    return guarded([&] {
        Status result = store_names::checkValueName(name);
        ValueFiles files;
        if (result == status::kSuccess) {
            result = findValueFiles(key, name, files);
        }
        if (result != status::kSuccess) {
            return result;
        }
        const bool isString = suffix == kStringSuffix;
        std::string& sameType = isString ? files.string : files.dword;
        const std::string& otherType = isString ? files.dword : files.string;
        // A value that already holds these bytes costs no write at all.
        if (!sameType.empty() && otherType.empty() &&
            posix_files::hasContent(key, sameType, bytes)) {
            return status::kSuccess;
        }
        if (sameType.empty()) {
            sameType = store_names::valueFileName(name, suffix);
        }
        // The new value is in place before the old one of the other type goes, so a
        // crash in between never leaves the value missing.
        result = posix_files::replaceFile(key, sameType, bytes);
        if (result == status::kSuccess && !otherType.empty()) {
            result = posix_files::removeFile(key, otherType);
        }
        if (result == status::kSuccess) {
            result = posix_files::flushDirectory(key);
        }
        if (result == status::kSuccess) {
            for (const std::string& temporary : files.temporaries) {
                posix_files::removeIfLeftover(key, temporary);
            }
        }
        return result;
    });
}

Status PosixSettingsStore::setString(KeyHandle key, std::string_view name, std::string_view data) {
    return setValue(key, name, kStringSuffix, data);
}

Status PosixSettingsStore::setDword(KeyHandle key, std::string_view name, std::uint32_t data) {
    const std::array<char, 4> bytes = littleEndian(data);
    return setValue(key, name, kDwordSuffix, std::string_view(bytes.data(), bytes.size()));
}

Status PosixSettingsStore::deleteValue(KeyHandle key, std::string_view name) {
    return guarded([&] {
        Status result = store_names::checkValueName(name);
        ValueFiles files;
        if (result == status::kSuccess) {
            result = findValueFiles(key, name, files);
        }
        if (result == status::kSuccess && files.string.empty() && files.dword.empty()) {
            return status::kNotFound;
        }
        for (const std::string* file : {&files.string, &files.dword}) {
            if (result == status::kSuccess && !file->empty()) {
                result = posix_files::removeFile(key, *file);
            }
        }
        return result == status::kSuccess ? posix_files::flushDirectory(key) : result;
    });
}

Status PosixSettingsStore::deleteKey(std::string_view path) {
    return guarded([&] {
        std::vector<std::string_view> names;
        Status result = store_names::splitKeyPath(path, names);
        UniqueFd parent;
        if (result == status::kSuccess) {
            result = openKey(std::span(names).first(names.size() - 1), false, parent);
        }
        return result == status::kSuccess ? removeKey(parent.get(), names.back()) : result;
    });
}

void PosixSettingsStore::closeKey(KeyHandle key) {
    close(key);
}

std::optional<std::string> userStoreRoot() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return std::string(config) + "/hkcu";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.config/hkcu";
    }
    return std::nullopt;
}

std::unique_ptr<SettingsStore> openUserStore() {
    const std::optional<std::string> root = userStoreRoot();
    return root ? std::make_unique<PosixSettingsStore>(*root) : nullptr;
}

} // namespace lookwell

#include "registration/tidemark_registration.h"

#include <cstring>
#include <initializer_list>
#include <new>
#include <string_view>

namespace lookwell {
namespace {

// A heap text of exactly the needed length; null when memory cannot be had.
std::unique_ptr<char[]> copyText(const char* text) {
    const std::size_t size = std::strlen(text) + 1;
    std::unique_ptr<char[]> copy(new (std::nothrow) char[size]);
    if (copy) {
        std::memcpy(copy.get(), text, size);
    }
    return copy;
}

// The names joined by backslashes, in a heap text of exactly the needed length;
// null when memory cannot be had.
std::unique_ptr<char[]> keyPath(std::initializer_list<const char*> names) {
    std::size_t size = 0;
    for (const char* name : names) {
        size += std::strlen(name) + 1; // its backslash, or the terminating zero
    }
    std::unique_ptr<char[]> path(new (std::nothrow) char[size]);
    if (path) {
        char* end = path.get();
        for (const char* name : names) {
            end = stpcpy(end, name);
            *end++ = '\\';
        }
        end[-1] = '\0';
    }
    return path;
}

template <typename Change>
Status changeKey(SettingsStore& store, const char* keyPath, Change change) {
    KeyHandle key{};
    Status result = store.createKey(keyPath, key);
    if (result == status::kSuccess) {
        result = change(key);
        store.closeKey(key);
    }
    return result;
}

} // namespace

Status SetStringValue(SettingsStore& store, const char* keyPath, const char* name,
                      const char* text) {
    return changeKey(store, keyPath, [&](KeyHandle key) {
        return text != nullptr ? store.setString(key, name, text) : store.deleteValue(key, name);
    });
}

Status SetDwordValue(SettingsStore& store, const char* keyPath, const char* name,
                     std::uint32_t value) {
    return changeKey(store, keyPath,
                     [&](KeyHandle key) { return store.setDword(key, name, value); });
}

Status DeleteValue(SettingsStore& store, const char* keyPath, const char* name) {
    return changeKey(store, keyPath, [&](KeyHandle key) { return store.deleteValue(key, name); });
}

Status TidemarkRegistration::TidemarkOpenVendor(const char* vendor, const char* author,
                                                const char* infoUrl, const char* displayHost) {
    if (vendor == nullptr) {
        return status::kInvalidParameter;
    }
    if (CurrentVendor) {
        return status::kInvalidFunction;
    }
    if (author == nullptr && infoUrl == nullptr) {
        const std::unique_ptr<char[]> path = keyPath({kTidemarkRoot, vendor});
        return path ? store_.deleteKey(path.get()) : status::kNotEnoughMemory;
    }
    if (author == nullptr || infoUrl == nullptr) {
        return status::kInvalidParameter;
    }
    if (const Status result = store_.testKey(kTidemarkRoot); result != status::kSuccess) {
        return result;
    }
    CurrentVendor = copyText(vendor);
    if (!CurrentVendor) {
        return status::kNotEnoughMemory;
    }
    const Status result = writeVendorValues(author, infoUrl, displayHost);
    if (result != status::kSuccess) {
        TidemarkCloseVendor();
    }
    return result;
}

Status TidemarkRegistration::writeVendorValues(const char* author, const char* infoUrl,
                                               const char* displayHost) {
    const std::unique_ptr<char[]> path = keyPath({kTidemarkRoot, CurrentVendor.get()});
    if (!path) {
        return status::kNotEnoughMemory;
    }
    Status result = SetStringValue(store_, path.get(), "Author", author);
    if (result == status::kSuccess) {
        result = SetStringValue(store_, path.get(), "InfoURL", infoUrl);
    }
    if (result == status::kSuccess) {
        result = SetStringValue(store_, path.get(), "DisplayHost", displayHost);
    }
    return result;
}

Status TidemarkRegistration::TidemarkRegisterProduct(const char* distinctName, std::uint32_t build,
                                                     const char* displayName, const char* filePath,
                                                     std::uint32_t iconIndex) {
    if (distinctName == nullptr) {
        TidemarkCloseVendor();
        return status::kInvalidParameter;
    }
    if (!CurrentVendor) {
        return status::kInvalidFunction;
    }
    const Status result = writeProductValues(distinctName, build, displayName, filePath, iconIndex);
    if (result != status::kSuccess) {
        TidemarkCloseVendor();
    }
    return result;
}

Status TidemarkRegistration::writeProductValues(const char* distinctName, std::uint32_t build,
                                                const char* displayName, const char* filePath,
                                                std::uint32_t iconIndex) {
    const std::unique_ptr<char[]> path =
        keyPath({kTidemarkRoot, CurrentVendor.get(), distinctName});
    if (!path) {
        return status::kNotEnoughMemory;
    }
    Status result = SetDwordValue(store_, path.get(), "Build", build);
    if (result == status::kSuccess) {
        result = SetStringValue(store_, path.get(), "DistinctName", distinctName);
    }
    if (result != status::kSuccess) {
        return result;
    }
    // Optional values that are not given are removed; their absence is no failure.
    if (displayName != nullptr) {
        result = SetStringValue(store_, path.get(), "DisplayName", displayName);
    } else {
        DeleteValue(store_, path.get(), "DisplayName");
    }
    return result == status::kSuccess ? writeFileValues(path.get(), filePath, iconIndex) : result;
}

Status TidemarkRegistration::writeFileValues(const char* productPath, const char* filePath,
                                             std::uint32_t iconIndex) {
    if (filePath == nullptr) {
        DeleteValue(store_, productPath, "FilePath");
        DeleteValue(store_, productPath, "IconIndex");
        return status::kSuccess;
    }
    const Status result = SetStringValue(store_, productPath, "FilePath", filePath);
    if (result != status::kSuccess) {
        return result;
    }
    if (iconIndex != 0) {
        return SetDwordValue(store_, productPath, "IconIndex", iconIndex);
    }
    DeleteValue(store_, productPath, "IconIndex");
    return status::kSuccess;
}

} // namespace lookwell

// The settings store on a real temporary tree against an in-memory model of the
// registry: keys, values of both types, deletes and reopening the store. After
// every operation the result codes agree and the tree on disk, read back through
// the name rules, holds exactly the model's keys and values and nothing else.
#include "registration/posix_settings_store.h"
#include "registration/store_names.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/store_name_decoding.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <memory>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
namespace names = lookwell::store_names;
using lookwell::KeyHandle;
using lookwell::PosixSettingsStore;
using lookwell::Status;
using lookwell::fuzz::decodeFileName;
namespace status = lookwell::status;

// ---- The model: the registry's rules, written from its documentation. ----

std::string folded(std::string_view name) {
    std::string result(name);
    std::ranges::transform(result, result.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return result;
}

struct Value {
    bool isString = true;
    std::string bytes;
    bool operator==(const Value&) const = default;
};

struct Key {
    std::map<std::string, Value> values; // by folded name
    std::map<std::string, Key> subkeys;  // by folded name
    bool operator==(const Key&) const = default;
};

// Names are refused when empty, "." or "..", with a zero byte, or when their
// file name would not fit in 255 bytes (249 before a value's suffix): every
// byte outside A-Za-z0-9._@+- takes 3, and a key ending in a value suffix 2 more.
std::size_t escapedSize(std::string_view name) {
    std::size_t size = 0;
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') ||
                           std::string_view("._@+-").find(c) != std::string_view::npos;
        size += plain ? 1 : 3;
    }
    return size;
}

bool validName(std::string_view name, std::size_t room, std::size_t extra) {
    return !name.empty() && name != "." && name != ".." &&
           name.find('\0') == std::string_view::npos && escapedSize(name) + extra <= room;
}

bool validKeyName(std::string_view name) {
    const std::string f = folded(name);
    const bool looksLikeValue = f.ends_with(".sz") || f.ends_with(".dword");
    return validName(name, 255, looksLikeValue ? 2 : 0);
}

bool validValueName(std::string_view name) {
    return validName(name, 249, 0);
}

using Path = std::vector<std::string>;

class Model {
public:
    // The key at path, created with every missing key on it when asked; null when absent.
    Key* find(const Path& path, bool create) {
        Key* key = &root_;
        for (const std::string& name : path) {
            auto child = key->subkeys.find(folded(name));
            if (child == key->subkeys.end()) {
                if (!create) {
                    return nullptr;
                }
                child = key->subkeys.emplace(folded(name), Key{}).first;
            }
            key = &child->second;
        }
        return key;
    }
    Status deleteKey(const Path& path) {
        Key* parent = find(Path(path.begin(), path.end() - 1), false);
        const auto key = parent ? parent->subkeys.find(folded(path.back()))
                                : std::map<std::string, Key>::iterator{};
        if (!parent || key == parent->subkeys.end()) {
            return status::kNotFound;
        }
        if (!key->second.subkeys.empty()) {
            return status::kAccessDenied;
        }
        parent->subkeys.erase(key);
        return status::kSuccess;
    }
    const Key& root() const { return root_; }

private:
    Key root_;
};

// ---- The tree on disk, read back through the name rules. ----

std::string readAll(const fs::path& file) {
    std::string bytes(fs::file_size(file), '\0');
    FILE* stream = std::fopen(file.c_str(), "rb");
    FUZZ_CHECK(stream != nullptr);
    FUZZ_CHECK(std::fread(bytes.data(), 1, bytes.size(), stream) == bytes.size());
    std::fclose(stream);
    return bytes;
}

void readValue(Key& key, const std::string& fileName, const fs::path& file) {
    const bool isString = fileName.ends_with(names::kStringSuffix);
    FUZZ_CHECK(isString || fileName.ends_with(names::kDwordSuffix));
    const std::size_t suffix = (isString ? names::kStringSuffix : names::kDwordSuffix).size();
    const auto name =
        decodeFileName(std::string_view(fileName).substr(0, fileName.size() - suffix));
    FUZZ_CHECK(name && validValueName(*name));
    const std::string bytes = readAll(file);
    FUZZ_CHECK(isString || bytes.size() == 4);
    // One file per value: a second one of either type would be a duplicate.
    FUZZ_CHECK(key.values.emplace(folded(*name), Value{isString, bytes}).second);
}

Key readTree(const fs::path& directory) {
    Key key;
    for (const auto& entry : fs::directory_iterator(directory)) {
        const std::string fileName = entry.path().filename().string();
        FUZZ_CHECK(!entry.is_symlink());
        if (entry.is_directory()) {
            const auto name = decodeFileName(fileName);
            FUZZ_CHECK(name && validKeyName(*name));
            FUZZ_CHECK(key.subkeys.emplace(folded(*name), readTree(entry.path())).second);
        } else {
            readValue(key, fileName, entry.path());
        }
    }
    return key;
}

// ---- Operations. ----

// Names that meet on disk if anything does, and the edges of the limits.
const std::array<std::string, 16> kNames = {"a",
                                            "A",
                                            "a.sz",
                                            "A.SZ",
                                            "a.dword",
                                            "a.Dword",
                                            "a%2Esz",
                                            "%41",
                                            ".~x",
                                            "b",
                                            std::string(255, 'k'),
                                            std::string(253, 'k') + ".sz",
                                            std::string(249, 'v'),
                                            std::string(250, 'v'),
                                            std::string(83, '\x82'),
                                            std::string(84, ' ')};

std::string nameFrom(FuzzedDataProvider& input) {
    const auto choice = input.ConsumeIntegralInRange<std::size_t>(0, kNames.size());
    return choice < kNames.size() ? kNames[choice] : input.ConsumeRandomLengthString(40);
}

// A key path as the registry reads it: names between backslashes, so a name
// from the input that holds a backslash makes two.
Path pathFrom(FuzzedDataProvider& input) {
    std::string text = nameFrom(input);
    for (auto more = input.ConsumeIntegralInRange(0, 2); more > 0; --more) {
        text += "\\" + nameFrom(input);
    }
    Path path;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\\', start);
        path.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return path;
        }
        start = end + 1;
    }
}

std::string joined(const Path& path) {
    std::string text;
    for (const std::string& name : path) {
        text += (&name == &path.front() ? "" : "\\") + name;
    }
    return text;
}

bool validPath(const Path& path) {
    return std::ranges::all_of(path, validKeyName);
}

enum class Operation {
    SetString,
    SetDword,
    DeleteValue,
    DeleteKey,
    TestKey,
    Reopen,
    kMaxValue = Reopen
};

// A value operation: the key is created first, as the registration does it.
Status onKey(PosixSettingsStore& store, Model& model, const Path& path, const std::string& name,
             Operation operation, FuzzedDataProvider& input) {
    const bool keyValid = validPath(path);
    KeyHandle key = -1;
    const Status created = store.createKey(joined(path), key);
    FUZZ_CHECK(created == (keyValid ? status::kSuccess : status::kInvalidParameter));
    if (!keyValid) {
        return created;
    }
    Key& modelKey = *model.find(path, true);
    const bool nameValid = validValueName(name);
    Status result = status::kInvalidParameter;
    Status expected = status::kInvalidParameter;
    if (operation == Operation::DeleteValue) {
        result = store.deleteValue(key, name);
        if (nameValid) {
            expected =
                modelKey.values.erase(folded(name)) > 0 ? status::kSuccess : status::kNotFound;
        }
    } else {
        Value value;
        if (operation == Operation::SetString) {
            value.bytes = input.ConsumeRandomLengthString(64);
            result = store.setString(key, name, value.bytes);
        } else {
            const auto number = input.ConsumeIntegral<std::uint32_t>();
            value = {false, std::string(reinterpret_cast<const char*>(&number), 4)};
            result = store.setDword(key, name, number);
        }
        if (nameValid) {
            modelKey.values[folded(name)] = value;
            expected = status::kSuccess;
        }
    }
    store.closeKey(key);
    FUZZ_CHECK(result == expected);
    return result;
}

void runOne(std::unique_ptr<PosixSettingsStore>& store, Model& model, const fs::path& root,
            FuzzedDataProvider& input) {
    const auto operation = input.ConsumeEnum<Operation>();
    const Path path = pathFrom(input);
    switch (operation) {
    case Operation::DeleteKey: {
        const Status expected = validPath(path) ? model.deleteKey(path) : status::kInvalidParameter;
        FUZZ_CHECK(store->deleteKey(joined(path)) == expected);
        break;
    }
    case Operation::TestKey: {
        const Status expected = !validPath(path)          ? status::kInvalidParameter
                                : model.find(path, false) ? status::kSuccess
                                                          : status::kNotFound;
        FUZZ_CHECK(store->testKey(joined(path)) == expected);
        break;
    }
    case Operation::Reopen:
        store = std::make_unique<PosixSettingsStore>(root.string());
        break;
    default:
        onKey(*store, model, path, nameFrom(input), operation, input);
    }
}

fs::path scratchRoot;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "lookwell-store-fuzz-XXXXXX").string();
    FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
    scratchRoot = pattern;
    std::atexit([] { fs::remove_all(scratchRoot); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path root = scratchRoot / "hkcu";
    fs::remove_all(root);
    fs::create_directory(root);
    FuzzedDataProvider input(data, size);
    auto store = std::make_unique<PosixSettingsStore>(root.string());
    Model model;
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        runOne(store, model, root, input);
        FUZZ_CHECK(readTree(root) == model.root());
    }
    return 0;
}

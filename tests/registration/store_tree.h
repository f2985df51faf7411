#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

namespace lookwell::test_support {

// A fresh directory under the system's temporary directory, removed afterwards.
class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lookwell-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& file) {
    std::string bytes(std::filesystem::file_size(file), '\0');
    std::ifstream(file, std::ios::binary)
        .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

inline void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Printable ASCII as it is, every other byte as \xHH, so a listing shows exact
// bytes; long contents only by their start and size, to keep failures readable.
inline std::string visibleBytes(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    static constexpr std::size_t kLongest = 256;
    if (bytes.size() > kLongest) {
        return visibleBytes(bytes.substr(0, 16)) + "...(" + std::to_string(bytes.size()) +
               " bytes)";
    }
    std::string shown;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown += c;
        } else {
            shown += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0x0F]};
        }
    }
    return shown;
}

// Every entry below `root`, one a line in sorted order: "dir/" for a directory,
// "file=<bytes>" for a file, "link->" for anything else.
inline std::set<std::string> listTree(const std::filesystem::path& root) {
    std::set<std::string> lines;
    if (!std::filesystem::exists(root)) {
        return lines;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string name = entry.path().lexically_relative(root).string();
        if (entry.is_symlink()) {
            lines.insert(name + "->");
        } else if (entry.is_directory()) {
            lines.insert(name + "/");
        } else {
            lines.insert(name + "=" + visibleBytes(readFile(entry.path())));
        }
    }
    return lines;
}

} // namespace lookwell::test_support

#include "registration/store_names.h"

#include <algorithm>

namespace lookwell::store_names {
namespace {

bool isPlain(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') ||
           std::string_view("._@+-").find(static_cast<char>(byte)) != std::string_view::npos;
}

std::size_t encodedLength(std::string_view name) {
    return static_cast<std::size_t>(
               std::count_if(name.begin(), name.end(),
                             [](char c) { return !isPlain(static_cast<unsigned char>(c)); })) *
               2 +
           name.size();
}

char foldAsciiCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string encode(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(encodedLength(name));
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (isPlain(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

Status check(std::string_view name, std::size_t room) {
    const bool pathTrick =
        name.empty() || name == "." || name == ".." || name.find('\0') != std::string_view::npos;
    return pathTrick || encodedLength(name) > room ? status::kInvalidParameter : status::kSuccess;
}

Status splitKeyPath(std::string_view path, std::vector<std::string_view>& names) {
    names.clear();
    for (;;) {
        const std::size_t end = path.find('\\');
        const std::string_view name = path.substr(0, end);
        if (Status result = check(name); result != status::kSuccess) {
            return result;
        }
        names.push_back(name);
        if (end == std::string_view::npos) {
            return status::kSuccess;
        }
        path.remove_prefix(end + 1);
    }
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b,
                              [](char x, char y) { return foldAsciiCase(x) == foldAsciiCase(y); });
}

} // namespace lookwell::store_names

#include "registration/store_names.h"

#include <algorithm>

namespace lookwell::store_names {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::string_view kEscapedDot = "%2E";

bool isPlain(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') ||
           std::string_view("._@+-").find(static_cast<char>(byte)) != std::string_view::npos;
}

char foldAsciiCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string escaped(std::string_view name) {
    std::string encoded;
    encoded.reserve(name.size() * 3);
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (isPlain(byte)) {
            encoded += c;
        } else {
            encoded += {'%', kHex[byte >> 4], kHex[byte & 0x0F]};
        }
    }
    return encoded;
}

// Where a key's escaped name needs one more dot escaped, or npos.
std::size_t dotToEscape(std::string_view encoded) {
    for (std::string_view suffix : {kStringSuffix, kDwordSuffix}) {
        if (endsWithIgnoringAsciiCase(encoded, suffix)) {
            return encoded.size() - suffix.size();
        }
    }
    return std::string_view::npos;
}

Status checkName(std::string_view name, std::size_t encodedSize, std::size_t room) {
    const bool refused =
        name.empty() || name == "." || name == ".." || name.find('\0') != std::string_view::npos;
    return refused || encodedSize > room ? status::kInvalidParameter : status::kSuccess;
}

} // namespace

std::string keyFileName(std::string_view name) {
    std::string encoded = escaped(name);
    if (const std::size_t dot = dotToEscape(encoded); dot != std::string::npos) {
        encoded.replace(dot, 1, kEscapedDot);
    }
    return encoded;
}

std::string valueFileName(std::string_view name, std::string_view suffix) {
    return escaped(name) + std::string(suffix);
}

Status checkKeyName(std::string_view name) {
    // The escaping grows a name by at most 3 times plus an escaped dot: cheap to
    // rule out long names before building anything.
    if (name.size() > kMaxFileName) {
        return status::kInvalidParameter;
    }
    return checkName(name, keyFileName(name).size(), kMaxFileName);
}

Status checkValueName(std::string_view name) {
    if (name.size() > kValueNameRoom) {
        return status::kInvalidParameter;
    }
    return checkName(name, escaped(name).size(), kValueNameRoom);
}

Status splitKeyPath(std::string_view path, std::vector<std::string_view>& names) {
    names.clear();
    for (;;) {
        const std::size_t end = path.find('\\');
        const std::string_view name = path.substr(0, end);
        if (Status result = checkKeyName(name); result != status::kSuccess) {
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

bool endsWithIgnoringAsciiCase(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() &&
           equalIgnoringAsciiCase(text.substr(text.size() - ending.size()), ending);
}

} // namespace lookwell::store_names

#pragma once

#include <optional>
#include <string>
#include <string_view>

// The inverse of the store's name escaping, written apart from it so that the
// fuzzers check the escaping against an independent reading of its rule. The
// program itself never reads a name back from a file name.
namespace lookwell::fuzz {

inline int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// The name a key or value file name stands for (suffix removed beforehand);
// none for text that the escaping never writes.
inline std::optional<std::string> decodeFileName(std::string_view fileName) {
    std::string name;
    for (std::size_t i = 0; i < fileName.size(); ++i) {
        if (fileName[i] != '%') {
            name += fileName[i];
            continue;
        }
        const int high = i + 2 < fileName.size() ? hexValue(fileName[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(fileName[i + 2]) : -1;
        if (low < 0) {
            return std::nullopt;
        }
        name += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return name;
}

} // namespace lookwell::fuzz

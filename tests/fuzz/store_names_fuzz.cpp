// Key and value names as file names: every accepted name comes back from its
// file name, no file name is "." or ".." or holds a separator or a zero byte, a
// key's directory never looks like a value file or a temporary file, and
// names equal without regard to case have file names equal so.
#include "registration/store_names.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/store_name_decoding.h"

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

namespace names = lookwell::store_names;
using lookwell::fuzz::decodeFileName;
using lookwell::status::kSuccess;

constexpr std::string_view kSuffixes[] = {names::kStringSuffix, names::kDwordSuffix};

bool endsWithValueSuffix(std::string_view fileName) {
    return std::ranges::any_of(kSuffixes, [&](std::string_view s) {
        return names::endsWithIgnoringAsciiCase(fileName, s);
    });
}

void checkSafe(std::string_view fileName) {
    FUZZ_CHECK(!fileName.empty() && fileName.size() <= names::kMaxFileName);
    FUZZ_CHECK(fileName != "." && fileName != "..");
    FUZZ_CHECK(fileName.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos);
    FUZZ_CHECK(!fileName.starts_with(names::kTemporaryPrefix));
}

bool isPlainName(std::string_view name) {
    return std::ranges::all_of(name, [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("._@+-").find(c) != std::string_view::npos;
    });
}

void checkKey(const std::string& name) {
    // Plain names of up to 255 characters, and their escaped dots, always fit.
    const bool fitsUnchanged = !name.empty() && name.size() <= names::kMaxFileName &&
                               isPlainName(name) && name != "." && name != ".." &&
                               !endsWithValueSuffix(name);
    FUZZ_CHECK(!fitsUnchanged || names::keyFileName(name) == name);
    if (names::checkKeyName(name) != kSuccess) {
        FUZZ_CHECK(!fitsUnchanged);
        return;
    }
    const std::string fileName = names::keyFileName(name);
    checkSafe(fileName);
    FUZZ_CHECK(!endsWithValueSuffix(fileName));
    FUZZ_CHECK(decodeFileName(fileName) == name);
}

void checkValue(const std::string& name) {
    // One limit for both types, so a value can always change type.
    const bool accepted = names::checkValueName(name) == kSuccess;
    FUZZ_CHECK(!accepted || names::valueFileName(name, "").size() <= names::kValueNameRoom);
    for (std::string_view suffix : kSuffixes) {
        if (!accepted) {
            continue;
        }
        const std::string fileName = names::valueFileName(name, suffix);
        checkSafe(fileName);
        FUZZ_CHECK(fileName.ends_with(suffix));
        FUZZ_CHECK(decodeFileName(std::string_view(fileName).substr(0, fileName.size() -
                                                                           suffix.size())) == name);
    }
}

void checkPair(const std::string& a, const std::string& b) {
    const bool sameName = names::equalIgnoringAsciiCase(a, b);
    if (names::checkKeyName(a) == kSuccess && names::checkKeyName(b) == kSuccess) {
        FUZZ_CHECK(sameName ==
                   names::equalIgnoringAsciiCase(names::keyFileName(a), names::keyFileName(b)));
    }
    if (names::checkKeyName(a) == kSuccess && names::checkValueName(b) == kSuccess) {
        for (std::string_view suffix : kSuffixes) {
            FUZZ_CHECK(!names::equalIgnoringAsciiCase(names::keyFileName(a),
                                                      names::valueFileName(b, suffix)));
        }
    }
    if (names::checkValueName(a) == kSuccess && names::checkValueName(b) == kSuccess) {
        FUZZ_CHECK(sameName == names::equalIgnoringAsciiCase(names::valueFileName(a, ""),
                                                             names::valueFileName(b, "")));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string a = input.ConsumeRandomLengthString(400);
    const std::string b = input.ConsumeRemainingBytesAsString();
    checkKey(a);
    checkValue(a);
    checkPair(a, b);
    checkPair(b, a);
    return 0;
}

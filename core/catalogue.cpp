#include "core/catalogue.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lookwell {
namespace {

struct Entry {
    unsigned id;
    std::string_view text;
};

constexpr std::array kEntries{
    Entry{text::kAboutMenuItem, "&About Lookwell..."},
    Entry{text::kTitleIdle, "Lookwell"},
    Entry{text::kTitleSearching, "Lookwell [Searching entry...]"},
    Entry{text::kUnknownError, "Unknown error."},
    Entry{text::kAddressFormatError, "IP address format error."},
    Entry{text::kResolverStartError, "Winsock initialize error."},
    Entry{text::kClipboardError, "Can't open clipboard."},
    Entry{text::kClassA, "Class-A"},
    Entry{text::kClassB, "Class-B"},
    Entry{text::kClassC, "Class-C"},
    Entry{text::kClassUnknown, "Unknown"},
    Entry{text::kNetworkDown, "Network may down."},
    Entry{text::kInsufficientBuffer, "Insufficient buffer."},
    Entry{text::kHostNotFound, "Host not found."},
    Entry{text::kServerNotFound, "DNS Server not found."},
    Entry{text::kUnrecoverable, "Unrecoverable Error."},
    Entry{text::kNoEntry, "No entry found."},
};

} // namespace

std::string loadText(unsigned id) {
    const auto* entry =
        std::find_if(kEntries.begin(), kEntries.end(), [id](const Entry& e) { return e.id == id; });
    return entry != kEntries.end() ? std::string(entry->text) : std::string();
}

} // namespace lookwell

#include "core/hostent_buffer.h"

#include "core/resolver.h"

#include <cstring>
#include <new>

namespace lookwell {
namespace {

constexpr std::size_t kPointerSize = sizeof(char*);

// Hands out consecutive pieces of the buffer; packedHostEntrySize() guarantees they fit.
class Arena {
public:
    explicit Arena(std::span<char> buffer) : next_(buffer.data()) {}

    char** pointers(std::size_t count) {
        auto* list = new (next_) char*[count];
        next_ += count * kPointerSize;
        return list;
    }
    char* copy(const void* data, std::size_t size) {
        char* start = next_;
        std::memcpy(start, data, size);
        next_ += size;
        return start;
    }
    char* text(const std::string& value) { return copy(value.c_str(), value.size() + 1); }

private:
    char* next_;
};

const HostEntry& entryOf(const HostentBuffer& buffer) {
    return *std::launder(reinterpret_cast<const HostEntry*>(buffer.bytes.data()));
}

bool isAlignedForEntry(std::span<char> buffer) {
    return reinterpret_cast<std::uintptr_t>(buffer.data()) % alignof(HostEntry) == 0;
}

} // namespace

// The record, both null-terminated pointer lists, the address bytes, then
// every text with its terminating zero.
std::size_t packedHostEntrySize(const HostRecord& record) {
    std::size_t size = sizeof(HostEntry);
    size += (record.aliases.size() + 1) * kPointerSize;
    size += (record.addresses.size() + 1) * kPointerSize;
    size += record.addresses.size() * sizeof(Ipv4Bytes);
    size += record.name.size() + 1;
    for (const auto& alias : record.aliases) {
        size += alias.size() + 1;
    }
    return size;
}

std::optional<std::uint16_t> packHostEntry(const HostRecord& record, std::span<char> buffer) {
    const std::size_t size = packedHostEntrySize(record);
    if (size > buffer.size() || size > UINT16_MAX || !isAlignedForEntry(buffer)) {
        return std::nullopt;
    }
    Arena arena(buffer.subspan(sizeof(HostEntry)));
    auto* entry = new (buffer.data()) HostEntry{};
    entry->h_addrtype = kAddressFamilyInet;
    entry->h_length = sizeof(Ipv4Bytes);
    entry->h_aliases = arena.pointers(record.aliases.size() + 1);
    entry->h_addr_list = arena.pointers(record.addresses.size() + 1);
    for (std::size_t i = 0; i < record.addresses.size(); ++i) {
        entry->h_addr_list[i] = arena.copy(record.addresses[i].data(), sizeof(Ipv4Bytes));
    }
    entry->h_addr_list[record.addresses.size()] = nullptr;
    entry->h_name = arena.text(record.name);
    for (std::size_t i = 0; i < record.aliases.size(); ++i) {
        entry->h_aliases[i] = arena.text(record.aliases[i]);
    }
    entry->h_aliases[record.aliases.size()] = nullptr;
    return static_cast<std::uint16_t>(size);
}

std::string officialName(const HostentBuffer& buffer) {
    const char* name = entryOf(buffer).h_name;
    return name != nullptr ? std::string(name) : std::string();
}

std::optional<Ipv4Bytes> firstAddress(const HostentBuffer& buffer) {
    char** list = entryOf(buffer).h_addr_list;
    if (list == nullptr || list[0] == nullptr) {
        return std::nullopt;
    }
    Ipv4Bytes address;
    std::memcpy(address.data(), list[0], address.size());
    return address;
}

} // namespace lookwell

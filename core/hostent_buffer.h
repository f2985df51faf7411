#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lookwell {

inline constexpr std::size_t kHostentBufferSize = 1024; // the resolver's largest reply

// Where the resolver leaves its reply: a HostEntry at the start, then the data
// its pointers refer to.
struct HostentBuffer {
    alignas(std::max_align_t) std::array<char, kHostentBufferSize> bytes{};
    std::span<char> span() { return bytes; }
};

inline constexpr int kAddressFamilyInet = 2; // AF_INET as the resolver's callers know it

// The host entry record, field for field as the resolver's callers read it.
struct HostEntry {
    char* h_name;
    char** h_aliases;
    std::int16_t h_addrtype;
    std::int16_t h_length;
    char** h_addr_list;
};

using Ipv4Bytes = std::array<std::uint8_t, 4>; // network byte order

// A resolved host as the resolver backend found it, before packing.
struct HostRecord {
    std::string name;
    std::vector<std::string> aliases;
    std::vector<Ipv4Bytes> addresses;
};

// Lays the record out in buffer as a HostEntry followed by its data. Returns the
// number of bytes used, or nothing (and leaves buffer untouched) when it does not
// fit or buffer is not aligned for a HostEntry.
std::optional<std::uint16_t> packHostEntry(const HostRecord& record, std::span<char> buffer);
// The number of bytes packHostEntry needs for record.
std::size_t packedHostEntrySize(const HostRecord& record);

// Readers of a buffer that packHostEntry filled, or that was never written (all zero).
std::string officialName(const HostentBuffer& buffer);
std::optional<Ipv4Bytes> firstAddress(const HostentBuffer& buffer);

} // namespace lookwell

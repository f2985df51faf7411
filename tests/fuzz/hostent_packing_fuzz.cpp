// Host entries packed into the 1024-byte reply buffer, which sits between two
// guard regions: nothing may be written outside it, a refused record leaves it
// untouched, and a packed one reads back as the record.
#include "core/hostent_buffer.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

using lookwell::HostEntry;
using lookwell::HostRecord;
using lookwell::Ipv4Bytes;
using lookwell::kHostentBufferSize;

constexpr std::size_t kGuard = 256;
constexpr char kFill = 0x5A;

struct GuardedBuffer {
    alignas(std::max_align_t) char bytes[kGuard + kHostentBufferSize + kGuard];
};

HostRecord recordFrom(FuzzedDataProvider& input) {
    HostRecord record;
    record.name = input.ConsumeRandomLengthString(1100);
    const std::size_t aliases = input.ConsumeIntegralInRange<std::size_t>(0, 300);
    for (std::size_t i = 0; i < aliases && input.remaining_bytes() > 0; ++i) {
        record.aliases.push_back(input.ConsumeRandomLengthString(300));
    }
    const std::size_t addresses = input.ConsumeIntegralInRange<std::size_t>(0, 300);
    for (std::size_t i = 0; i < addresses; ++i) {
        Ipv4Bytes address{};
        input.ConsumeData(address.data(), address.size());
        record.addresses.push_back(address);
    }
    return record;
}

bool inside(const char* pointer, const char* start, std::size_t size) {
    return pointer >= start && pointer < start + size;
}

// Every pointer of the entry stays inside the buffer and reads back the record.
void checkReadsBack(const HostRecord& record, char* buffer) {
    const auto& entry = *reinterpret_cast<const HostEntry*>(buffer);
    FUZZ_CHECK(entry.h_addrtype == 2 && entry.h_length == 4);
    FUZZ_CHECK(inside(entry.h_name, buffer, kHostentBufferSize));
    FUZZ_CHECK(std::strcmp(entry.h_name, record.name.c_str()) == 0);
    for (std::size_t i = 0; i <= record.aliases.size(); ++i) {
        const char* alias = entry.h_aliases[i];
        FUZZ_CHECK((i == record.aliases.size()) == (alias == nullptr));
        FUZZ_CHECK(alias == nullptr || (inside(alias, buffer, kHostentBufferSize) &&
                                        std::strcmp(alias, record.aliases[i].c_str()) == 0));
    }
    for (std::size_t i = 0; i <= record.addresses.size(); ++i) {
        const char* address = entry.h_addr_list[i];
        FUZZ_CHECK((i == record.addresses.size()) == (address == nullptr));
        FUZZ_CHECK(address == nullptr ||
                   (inside(address, buffer, kHostentBufferSize - 3) &&
                    std::memcmp(address, record.addresses[i].data(), 4) == 0));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Now and then a buffer that is not aligned for the entry, which must be refused.
    const std::size_t offset =
        input.ConsumeBool() ? input.ConsumeIntegralInRange<std::size_t>(1, 7) : 0;
    const HostRecord record = recordFrom(input);
    GuardedBuffer guarded;
    std::fill(std::begin(guarded.bytes), std::end(guarded.bytes), kFill);
    char* buffer = guarded.bytes + kGuard + offset;
    const auto used =
        lookwell::packHostEntry(record, std::span(buffer, kHostentBufferSize - offset));
    const std::size_t needed = lookwell::packedHostEntrySize(record);
    const bool fits = needed <= kHostentBufferSize - offset && offset == 0;
    FUZZ_CHECK(used.has_value() == fits);
    const std::size_t written = used ? *used : 0;
    FUZZ_CHECK(!used || *used == needed);
    FUZZ_CHECK(std::all_of(guarded.bytes, buffer, [](char b) { return b == kFill; }));
    FUZZ_CHECK(
        std::all_of(buffer + written, std::end(guarded.bytes), [](char b) { return b == kFill; }));
    if (used) {
        checkReadsBack(record, buffer);
    }
    return 0;
}

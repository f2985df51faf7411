#include "core/hostent_buffer.h"

#include <algorithm>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lookwell {
namespace {

using ::testing::ElementsAre;

constexpr char kUntouched = 0x5A;

HostRecord gatewayRecord() {
    return {"gw.example.test",
            {"router.example.test", "a"},
            {{10, 0, 0, 1}, {192, 168, 1, 3}, {172, 16, 0, 9}}};
}

HostentBuffer filledBuffer() {
    HostentBuffer buffer;
    buffer.bytes.fill(kUntouched);
    return buffer;
}

bool isUntouched(const HostentBuffer& buffer) {
    return std::all_of(buffer.bytes.begin(), buffer.bytes.end(),
                       [](char byte) { return byte == kUntouched; });
}

const HostEntry& entryIn(const HostentBuffer& buffer) {
    return *reinterpret_cast<const HostEntry*>(buffer.bytes.data());
}

std::vector<std::string> textsOf(char** list) {
    std::vector<std::string> texts;
    for (; *list != nullptr; ++list) {
        texts.emplace_back(*list);
    }
    return texts;
}

std::vector<Ipv4Bytes> addressesOf(char** list) {
    std::vector<Ipv4Bytes> addresses;
    for (; *list != nullptr; ++list) {
        Ipv4Bytes address;
        std::copy_n(*list, address.size(), address.begin());
        addresses.push_back(address);
    }
    return addresses;
}

TEST(HostentBuffer, PackedEntryIsReadableThroughItsFields) {
    HostentBuffer buffer = filledBuffer();
    const HostRecord record = gatewayRecord();

    const auto length = packHostEntry(record, buffer.span());

    ASSERT_TRUE(length.has_value());
    EXPECT_EQ(*length, packedHostEntrySize(record));
    const HostEntry& entry = entryIn(buffer);
    EXPECT_STREQ(entry.h_name, "gw.example.test");
    EXPECT_THAT(textsOf(entry.h_aliases), ElementsAre("router.example.test", "a"));
    EXPECT_EQ(entry.h_addrtype, 2);
    EXPECT_EQ(entry.h_length, 4);
    EXPECT_THAT(
        addressesOf(entry.h_addr_list),
        ElementsAre(Ipv4Bytes{10, 0, 0, 1}, Ipv4Bytes{192, 168, 1, 3}, Ipv4Bytes{172, 16, 0, 9}));
    EXPECT_EQ(officialName(buffer), "gw.example.test");
    EXPECT_EQ(firstAddress(buffer), (Ipv4Bytes{10, 0, 0, 1}));
}

TEST(HostentBuffer, EveryPointerStaysInsideTheUsedBytes) {
    HostentBuffer buffer = filledBuffer();
    const auto length = packHostEntry(gatewayRecord(), buffer.span());
    ASSERT_TRUE(length.has_value());
    const char* begin = buffer.bytes.data();
    const char* end = begin + *length;
    const auto inside = [&](const void* pointer) {
        const auto* byte = static_cast<const char*>(pointer);
        return byte >= begin && byte < end;
    };
    const HostEntry& entry = entryIn(buffer);
    EXPECT_TRUE(inside(entry.h_name + std::strlen(entry.h_name)));
    for (char** alias = entry.h_aliases; *alias != nullptr; ++alias) {
        EXPECT_TRUE(inside(alias) && inside(*alias + std::strlen(*alias)));
    }
    for (char** address = entry.h_addr_list; *address != nullptr; ++address) {
        EXPECT_TRUE(inside(address) && inside(*address + 3));
    }
    EXPECT_EQ(buffer.bytes[*length], kUntouched);
}

TEST(HostentBuffer, ExactFitPacksAndOneByteShortLeavesTheBufferUntouched) {
    const HostRecord record = gatewayRecord();
    const std::size_t needed = packedHostEntrySize(record);

    HostentBuffer exact = filledBuffer();
    EXPECT_EQ(packHostEntry(record, exact.span().first(needed)), needed);
    EXPECT_EQ(officialName(exact), "gw.example.test");

    HostentBuffer tooSmall = filledBuffer();
    EXPECT_EQ(packHostEntry(record, tooSmall.span().first(needed - 1)), std::nullopt);
    EXPECT_TRUE(isUntouched(tooSmall));
}

TEST(HostentBuffer, RecordLargerThanTheWholeBufferIsRefused) {
    HostRecord record{"big.example.test", {}, std::vector<Ipv4Bytes>(90, Ipv4Bytes{10, 3, 0, 1})};
    HostentBuffer buffer = filledBuffer();

    EXPECT_GT(packedHostEntrySize(record), kHostentBufferSize);
    EXPECT_EQ(packHostEntry(record, buffer.span()), std::nullopt);
    EXPECT_TRUE(isUntouched(buffer));
}

TEST(HostentBuffer, MisalignedBufferIsRefusedUntouched) {
    HostentBuffer buffer = filledBuffer();
    EXPECT_EQ(packHostEntry(gatewayRecord(), buffer.span().subspan(1)), std::nullopt);
    EXPECT_TRUE(isUntouched(buffer));
}

TEST(HostentBuffer, ReadersOfAnEmptyReplyFindNothing) {
    const HostentBuffer neverWritten;
    EXPECT_EQ(officialName(neverWritten), "");
    EXPECT_EQ(firstAddress(neverWritten), std::nullopt);

    HostentBuffer noAddresses = filledBuffer();
    ASSERT_TRUE(packHostEntry({"", {}, {}}, noAddresses.span()).has_value());
    EXPECT_EQ(officialName(noAddresses), "");
    EXPECT_EQ(firstAddress(noAddresses), std::nullopt);
}

} // namespace
} // namespace lookwell

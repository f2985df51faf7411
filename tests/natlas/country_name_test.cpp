#include "expected_countries.h"
#include "natlas.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// Room beyond the 256 bytes the library may write, to catch a write past them.
constexpr std::size_t guardBytes = 16;
constexpr char untouched = '\x7F';

struct GuardedBuffer {
    std::array<char, NATLAS_NAME_BUFFER_SIZE + guardBytes> bytes;

    explicit GuardedBuffer(const char* previousText = "") {
        bytes.fill(untouched);
        std::strcpy(bytes.data(), previousText);
    }
    char* data() { return bytes.data(); }
    bool guardIntact() const {
        return std::all_of(bytes.begin() + NATLAS_NAME_BUFFER_SIZE, bytes.end(),
                           [](char c) { return c == untouched; });
    }
};

std::string nameOf(uint32_t code) {
    GuardedBuffer buffer("stale text");
    return NatlasGetCountryName(code, buffer.data());
}

CountryCode codeOfLetters(const char* letters) {
    return static_cast<CountryCode>(32 * (letters[0] - 'A') + (letters[1] - 'A'));
}

TEST(CountryName, GivesEveryListedCountryItsName) {
    for (const ExpectedCountry& country : expectedCountries) {
        const CountryCode code = NatlasGetCountryCode(country.letters);
        EXPECT_EQ(code, codeOfLetters(country.letters)) << country.letters;
        EXPECT_EQ(nameOf(code), country.name) << country.letters;
    }
}

TEST(CountryName, GivesEveryOtherSixteenBitCodeTheEmptyString) {
    std::set<CountryCode> listed;
    for (const ExpectedCountry& country : expectedCountries)
        listed.insert(codeOfLetters(country.letters));
    ASSERT_EQ(listed.size(), expectedCountries.size());

    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        if (listed.count(static_cast<CountryCode>(code)) != 0)
            continue;
        GuardedBuffer buffer("Japan");
        NatlasGetCountryName(code, buffer.data());
        ASSERT_EQ(buffer.bytes[0], '\0') << "code " << code;
        ASSERT_TRUE(buffer.guardIntact()) << "code " << code;
    }
}

TEST(CountryName, KnowsNoNameForUnlistedOrMisspelledCodes) {
    for (const char* letters : {"GB", "ZZ", "jp", "12", "A", "A1", "OM", "QA", "XK"})
        EXPECT_EQ(nameOf(NatlasGetCountryCode(letters)), "") << letters;
    EXPECT_EQ(nameOf(0), "");
}

TEST(CountryName, FindsNamesThroughMixedCaseCodes) {
    EXPECT_EQ(nameOf(NatlasGetCountryCode("Jp")), "Japan");
    EXPECT_EQ(nameOf(NatlasGetCountryCode("Ad")), "Bangladesh");
}

TEST(CountryName, UsesOnlyTheLowSixteenBitsOfTheCode) {
    EXPECT_EQ(nameOf(65839), "Japan");
    EXPECT_EQ(nameOf(0xFFFF0000u | 658u), "United States");
    EXPECT_EQ(nameOf(0x10000), "");
}

TEST(CountryName, ReturnsTheBufferItWasGiven) {
    GuardedBuffer buffer;
    EXPECT_EQ(NatlasGetCountryName(303, buffer.data()), buffer.data());
    EXPECT_EQ(NatlasGetCountryName(193, buffer.data()), buffer.data());
}

TEST(CountryName, WritesOnlyTheNameAndItsTerminator) {
    GuardedBuffer buffer;
    NatlasGetCountryName(NatlasGetCountryCode("UK"), buffer.data());
    const std::size_t written = std::strlen("United Kingdom") + 1;
    EXPECT_STREQ(buffer.data(), "United Kingdom");
    EXPECT_TRUE(std::all_of(buffer.bytes.begin() + written, buffer.bytes.end(),
                            [](char c) { return c == untouched; }));
}

} // namespace

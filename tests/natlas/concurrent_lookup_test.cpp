#include "expected_countries.h"
#include "natlas.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr uint32_t codeCount = 0x10000;

std::vector<std::string> expectedNamesByCode() {
    std::vector<std::string> names(codeCount);
    for (const ExpectedCountry& country : expectedCountries)
        names[NatlasGetCountryCode(country.letters)] = country.name;
    return names;
}

// Each thread walks every code with its own buffer and counts wrong answers.
int countMismatches(const std::vector<std::string>& expected, uint32_t firstCode) {
    std::array<char, NATLAS_NAME_BUFFER_SIZE> buffer{};
    int mismatches = 0;
    for (uint32_t step = 0; step < codeCount; ++step) {
        const uint32_t code = (firstCode + step) % codeCount;
        if (expected[code] != NatlasGetCountryName(code, buffer.data()))
            ++mismatches;
    }
    return mismatches;
}

TEST(ConcurrentLookup, ThreadsWithTheirOwnBuffersGetCorrectNames) {
    const std::vector<std::string> expected = expectedNamesByCode();
    constexpr int threadCount = 4;
    std::array<int, threadCount> mismatches{};
    std::vector<std::thread> threads;
    for (int i = 0; i < threadCount; ++i)
        threads.emplace_back([&, i] {
            mismatches[static_cast<std::size_t>(i)] =
                countMismatches(expected, static_cast<uint32_t>(i) * 211u);
        });
    for (std::thread& thread : threads)
        thread.join();
    for (int count : mismatches)
        EXPECT_EQ(count, 0);
}

} // namespace

// Time of one lookup as the program makes it: code from two letters, then the
// name into a 256-byte buffer.
#include "natlas.h"

#include <array>
#include <benchmark/benchmark.h>

namespace {

void codeAndNameLookup(benchmark::State& state) {
    static constexpr std::array<const char*, 4> labels{"JP", "US", "GB", "12"};
    std::array<char, NATLAS_NAME_BUFFER_SIZE> buffer{};
    std::size_t next = 0;
    for (auto _ : state) {
        const char* letters = labels[next++ % labels.size()];
        benchmark::DoNotOptimize(letters);
        benchmark::DoNotOptimize(
            NatlasGetCountryName(NatlasGetCountryCode(letters), buffer.data()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(codeAndNameLookup);

} // namespace

BENCHMARK_MAIN();

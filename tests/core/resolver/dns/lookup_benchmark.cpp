// The time of one lookup against the scripted DNS server: the bare glibc call,
// and the whole round trip through the resolver's worker and reply delivery.
// Run through tests/support/dns/run_with_dns_server.sh.
#include "core/resolver/posix_resolver.h"
#include "tests/support/queued_ui_thread_poster.h"
#include "tests/support/recording_reply_window.h"

#include <benchmark/benchmark.h>

namespace lookwell {
namespace {

constexpr const char* kName = "multi.lookwell.test";

void bareGlibcLookup(benchmark::State& state) {
    GlibcHostDatabase database;
    for (auto _ : state) {
        benchmark::DoNotOptimize(database.lookupByName(kName));
    }
}
BENCHMARK(bareGlibcLookup)->UseRealTime();

void resolverRoundTrip(benchmark::State& state) {
    test_support::QueuedUiThreadPoster poster;
    test_support::RecordingReplyWindow window;
    HostentBuffer buffer;
    PosixResolver resolver(poster);
    resolver.startup();
    for (auto _ : state) {
        resolver.lookupByName(window, 0x0464, kName, buffer.span());
        if (!poster.waitForTasks(1)) {
            state.SkipWithError("no reply");
            break;
        }
        poster.drain();
    }
    resolver.cleanup();
}
BENCHMARK(resolverRoundTrip)->UseRealTime();

} // namespace
} // namespace lookwell

BENCHMARK_MAIN();

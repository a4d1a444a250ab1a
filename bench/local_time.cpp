// What following the system's zone costs a clock tick: SystemClock::Now (tzset, then
// localtime_r) beside localtime_r alone, which keeps the zone glibc read first. With TZ
// unset, as on a desktop, tzset stats /etc/localtime; with TZ set it compares the text.
#include "shell/framework/core/clock.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <ctime>

namespace {
void WithTz(const char* tz) {
    if (tz) {
        setenv("TZ", tz, 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

void Now(benchmark::State& state, const char* tz) {
    WithTz(tz);
    SystemClock clock;
    for (auto _ : state)
        benchmark::DoNotOptimize(clock.Now());
}
BENCHMARK_CAPTURE(Now, tz_unset, nullptr);
BENCHMARK_CAPTURE(Now, tz_set, "Asia/Tokyo");

void LocaltimeROnly(benchmark::State& state, const char* tz) {
    WithTz(tz);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    for (auto _ : state)
        benchmark::DoNotOptimize(localtime_r(&now, &local));
}
BENCHMARK_CAPTURE(LocaltimeROnly, tz_unset, nullptr);
BENCHMARK_CAPTURE(LocaltimeROnly, tz_set, "Asia/Tokyo");
} // namespace

BENCHMARK_MAIN();

#include "shell/framework/core/clock.h"

#include <chrono>
#include <ctime>

int64_t SystemClock::MonotonicMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

LocalTime SystemClock::Now() const {
    return ToLocalTime(std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()));
}

LocalTime ToLocalTime(int64_t seconds) {
    // localtime_r keeps the zone glibc read first; tzset looks again, so a change of TZ or
    // of /etc/localtime (the desktop's zone set anew, a laptop that travelled) shows at
    // once. It re-reads the zone file only when its inode or mtime changed, else costs a stat.
    tzset();
    const std::time_t time = seconds;
    std::tm local{};
    localtime_r(&time, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

namespace {
std::shared_ptr<Clock>& Installed() {
    static std::shared_ptr<Clock> clock = std::make_shared<SystemClock>();
    return clock;
}
} // namespace

Clock& CurrentClock() {
    return *Installed();
}

void InstallClock(std::shared_ptr<Clock> clock) {
    Installed() = clock ? std::move(clock) : std::make_shared<SystemClock>();
}

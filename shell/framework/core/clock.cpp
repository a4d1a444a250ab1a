#include "shell/framework/core/clock.h"

#include <chrono>
#include <ctime>

int64_t SystemClock::MonotonicMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

LocalTime SystemClock::Now() const {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
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

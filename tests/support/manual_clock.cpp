#include "tests/support/manual_clock.h"

#include "shell/framework/core/timer_queue.h"

#include <ctime>

int64_t AsUtcSeconds(const LocalTime& time) {
    std::tm fields{};
    fields.tm_year = time.year - 1900;
    fields.tm_mon = time.month - 1;
    fields.tm_mday = time.day;
    fields.tm_hour = time.hour;
    fields.tm_min = time.minute;
    fields.tm_sec = time.second;
    return timegm(&fields);
}

namespace {
int64_t ToWallMs(const LocalTime& time) {
    return AsUtcSeconds(time) * 1000;
}

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - (a % b < 0 ? 1 : 0);
}
} // namespace

ManualClock::ManualClock(const LocalTime& start) : wall_ms_(ToWallMs(start)) {}

LocalTime ManualClock::Now() const {
    const std::time_t seconds = FloorDiv(wall_ms_, 1000);
    std::tm fields{};
    gmtime_r(&seconds, &fields);
    return {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
            fields.tm_hour,        fields.tm_min,     fields.tm_sec};
}

LocalTime ZonedManualClock::Now() const {
    return ToLocalTime(FloorDiv(WallMs(), 1000));
}

void ManualClock::Advance(int64_t ms) {
    const int64_t end_ms = monotonic_ms_ + (ms > 0 ? ms : 0);
    TimerQueue::Instance().RunDue(end_ms, [this](int64_t due_ms) { MoveTo(due_ms); });
    MoveTo(end_ms);
}

void ManualClock::SetLocalTime(const LocalTime& time) {
    wall_ms_ = ToWallMs(time);
}

void ManualClock::MoveTo(int64_t monotonic_ms) {
    if (monotonic_ms <= monotonic_ms_) return; // time never runs backwards
    wall_ms_ += monotonic_ms - monotonic_ms_;
    monotonic_ms_ = monotonic_ms;
}

std::shared_ptr<ManualClock> InstallManualClock(const LocalTime& start) {
    auto clock = std::make_shared<ManualClock>(start);
    InstallClock(clock);
    return clock;
}

#pragma once
// The clock seam: monotonic milliseconds for timers, local date and time for Date.
// Production uses the system clock; tests install a manual clock before start-up.

#include <cstdint>
#include <memory>

struct LocalTime {
    int32_t year = 1970, month = 1, day = 1;
    int32_t hour = 0, minute = 0, second = 0;
    bool operator==(const LocalTime&) const = default;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual int64_t MonotonicMs() const = 0;
    virtual LocalTime Now() const = 0;
};

class SystemClock : public Clock {
  public:
    int64_t MonotonicMs() const override;
    LocalTime Now() const override;
};

// The local date and time at `seconds` since the epoch, in the zone the system has at the
// call: TZ when it is set, else /etc/localtime.
LocalTime ToLocalTime(int64_t seconds);

// The installed clock; the system clock until another is installed (nil puts it back).
Clock& CurrentClock();
void InstallClock(std::shared_ptr<Clock> clock);

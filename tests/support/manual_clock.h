#pragma once
// Virtual time for tests: a clock that stands still until the test advances it, and runs
// the framework's timer queue on the way, each timer firing at its own due time. Local
// time is kept as if it were UTC, so no daylight-saving change ever surprises a test.

#include "shell/framework/core/clock.h"

#include <cstdint>
#include <memory>

// The seconds since the epoch of `time` read as UTC.
int64_t AsUtcSeconds(const LocalTime& time);

class ManualClock : public Clock {
  public:
    explicit ManualClock(const LocalTime& start);

    int64_t MonotonicMs() const override { return monotonic_ms_; }
    LocalTime Now() const override;

    // Moves both clocks on by `ms`, firing every timer due on the way in due order with
    // the clock set to its due time; ends at exactly `ms` later.
    void Advance(int64_t ms);
    // Sets the wall clock (a user's change, a time-zone jump); the monotonic clock stays.
    void SetLocalTime(const LocalTime& time);

  protected:
    int64_t WallMs() const { return wall_ms_; }

  private:
    void MoveTo(int64_t monotonic_ms);
    int64_t monotonic_ms_ = 0;
    int64_t wall_ms_ = 0; // the local time as milliseconds since 1970-01-01 00:00
};

// Virtual time kept as UTC and read through the framework's own conversion, in the zone
// the process has when it is read: for time-zone and daylight-saving changes.
class ZonedManualClock : public ManualClock {
  public:
    using ManualClock::ManualClock; // `start` and SetLocalTime are UTC
    LocalTime Now() const override;
};

// Creates a manual clock at `start` and installs it as the framework's clock.
std::shared_ptr<ManualClock> InstallManualClock(const LocalTime& start);

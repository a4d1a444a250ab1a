// The system clock's local time with the real conversion: it follows the zone while the
// process runs, as when the desktop's zone is changed without a restart.
#include "shell/framework/core/clock.h"
#include "tests/support/manual_clock.h"
#include "tests/support/time_zone.h"

#include <chrono>
#include <ctime>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

void PrintTo(const LocalTime& t, std::ostream* os) {
    *os << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":" << t.minute << ":"
        << t.second;
}

namespace {
class LocalTimeTest : public testing::Test {
  protected:
    // SystemClock::Now's distance from UTC in seconds, read within one second.
    static int64_t NowOffsetSeconds() {
        using std::chrono::system_clock;
        for (;;) {
            const std::time_t before = system_clock::to_time_t(system_clock::now());
            const LocalTime local = SystemClock().Now();
            if (system_clock::to_time_t(system_clock::now()) == before)
                return AsUtcSeconds(local) - before;
        }
    }
};
} // namespace

TEST_F(LocalTimeTest, NowFollowsEachChangeOfTz) {
    const struct {
        const char* tz;
        int64_t offset_minutes;
    } rows[] = {
        {"Asia/Tokyo", 9 * 60},
        {"Asia/Vladivostok", 10 * 60}, // the hour follows
        {"UTC", 0},
        {"Asia/Kolkata", 5 * 60 + 30},
        {"<-0330>3:30", -(3 * 60 + 30)}, // a rule in TZ itself, no zone file
        {"", 0},                         // empty: UTC
        {"Asia/Tokyo", 9 * 60},          // and back
    };
    for (const auto& row : rows) {
        SetTimeZone(row.tz);
        EXPECT_EQ(NowOffsetSeconds(), row.offset_minutes * 60) << "TZ=" << row.tz;
    }
}

TEST_F(LocalTimeTest, UnsettingTzGoesBackToTheSystemZone) {
    SetTimeZone(":/etc/localtime"); // the file a desktop session's unset TZ means
    const int64_t system_offset = NowOffsetSeconds();
    SetTimeZone("<+0517>-5:17"); // an offset no real zone has
    ASSERT_EQ(NowOffsetSeconds(), (5 * 60 + 17) * 60);
    UnsetTimeZone();
    EXPECT_EQ(NowOffsetSeconds(), system_offset);
}

TEST_F(LocalTimeTest, ConversionOfAnInstantFollowsTzAndDaylightSavingRules) {
    const struct {
        const char* tz;
        int64_t seconds;
        LocalTime local;
    } rows[] = {
        // 2026-12-09 22:00:20 UTC: a laptop flying from Tokyo to Vladivostok.
        {"Asia/Tokyo", 1796853620, {2026, 12, 10, 7, 0, 20}},
        {"Asia/Vladivostok", 1796853620, {2026, 12, 10, 8, 0, 20}},
        // Berlin springs forward at 01:00 UTC and falls back at 01:00 UTC.
        {"Europe/Berlin", 1774745999, {2026, 3, 29, 1, 59, 59}},
        {"Europe/Berlin", 1774746000, {2026, 3, 29, 3, 0, 0}},
        {"Europe/Berlin", 1792889999, {2026, 10, 25, 2, 59, 59}},
        {"Europe/Berlin", 1792890000, {2026, 10, 25, 2, 0, 0}},
        // New York does so at other instants, from the other side of UTC.
        {"America/New_York", 1772953199, {2026, 3, 8, 1, 59, 59}},
        {"America/New_York", 1772953200, {2026, 3, 8, 3, 0, 0}},
        {"America/New_York", 1793512799, {2026, 11, 1, 1, 59, 59}},
        {"America/New_York", 1793512800, {2026, 11, 1, 1, 0, 0}},
        {"", 1796853620, {2026, 12, 9, 22, 0, 20}},
        {"Asia/Tokyo", 1796853620, {2026, 12, 10, 7, 0, 20}},
    };
    for (const auto& row : rows) {
        SetTimeZone(row.tz);
        EXPECT_EQ(ToLocalTime(row.seconds), row.local) << "TZ=" << row.tz << " at " << row.seconds;
    }
}

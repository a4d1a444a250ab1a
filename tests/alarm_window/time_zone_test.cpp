// The alarm in the zone the system has while it runs: virtual time kept as UTC and read
// through the framework's real conversion, with TZ changed under the open window.
#include "tests/alarm_window/window_fixture.h"
#include "tests/support/time_zone.h"

namespace {
class TimeZoneTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        auto zoned = std::make_shared<ZonedManualClock>(LocalTime{});
        InstallClock(zoned);
        clock = zoned;
    }
    // Opens at the instant `utc` with the alarm at hour:00 and a duration of 0:30.
    void OpenAt(const LocalTime& utc, int32_t alarm_hour) {
        WriteSettings("h_data\n" + std::to_string(alarm_hour) +
                      "\nm_data\n00\nh_timer\n0\nm_timer\n30");
        clock->SetLocalTime(utc);
        Boot();
        RuntimeDispatch([] { NotNil(App()).on_open(); });
    }
    std::string ClockLine() { return W().EditField3()->Text(); }
};
} // namespace

TEST_F(TimeZoneTest, ClockLineAlarmAndSetFollowAZoneChangeWhileRunning) {
    SetTimeZone("Asia/Tokyo");
    OpenAt({2026, 12, 9, 22, 0, 12}, 8); // 7:00:12 in Tokyo
    EXPECT_EQ(ClockLine(), "現在7:00:12    設定08:00");
    Advance(8000);
    EXPECT_EQ(ClockLine(), "現在7:00:20    設定08:00");
    EXPECT_TRUE(IsMeasuring());

    // The laptop lands in Vladivostok, an hour ahead; the program is not restarted.
    SetTimeZone("Asia/Vladivostok");
    const int64_t changed_at = Now();
    Advance(5000);
    EXPECT_EQ(ClockLine(), "現在8:00:25    設定08:00");
    EXPECT_TRUE(IsRinging());
    Advance(1000);
    ASSERT_EQ(Plays().size(), 2u);
    EXPECT_EQ(Plays()[1].time_ms, changed_at + 6000);

    // Stopped, and back in Tokyo's zone: "set" reads the time in the zone of its own moment.
    NotNil(W().PushButton1()).Push();
    EXPECT_EQ(ClockLine(), "現在8:00:26    設定08:00");
    SetTimeZone("Asia/Tokyo");
    NotNil(W().PushButton3()).Push(); // 7:00:26 + 0:30
    EXPECT_EQ(W().EditField1()->Text(), "7");
    EXPECT_EQ(W().EditField2()->Text(), "30");
}

TEST_F(TimeZoneTest, AnAlarmTheDayAfterADaylightSavingChangeRingsAtItsLocalMinute) {
    const struct {
        const char* tz;
        LocalTime opened_utc; // 7:30 local on the Saturday, the alarm at 7:00
        int64_t ring_after_ms;
    } rows[] = {
        // Sunday's 7:00 comes 22 h 30 min later when the clocks go forward, 24 h 30 min
        // later when they go back; a fixed offset would ring an hour off.
        {"Europe/Berlin", {2026, 3, 28, 6, 30, 0}, 22 * kHourMs + 30 * kMinuteMs + 1000},
        {"Europe/Berlin", {2026, 10, 24, 5, 30, 0}, 24 * kHourMs + 30 * kMinuteMs + 1000},
        {"America/New_York", {2026, 3, 7, 12, 30, 0}, 22 * kHourMs + 30 * kMinuteMs + 1000},
        {"America/New_York", {2026, 10, 31, 11, 30, 0}, 24 * kHourMs + 30 * kMinuteMs + 1000},
    };
    bool open = false;
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.tz) + " " + std::to_string(row.opened_utc.month));
        SetTimeZone(row.tz);
        if (open) { // Stop, and Start again on the next row's Saturday
            NotNil(W().PushButton1()).Push();
            clock->SetLocalTime(row.opened_utc);
            NotNil(W().PushButton1()).Push();
        } else {
            OpenAt(row.opened_utc, 7);
            open = true;
        }
        ASSERT_EQ(ClockLine(), "現在7:30:00    設定07:00");
        const size_t before = Plays().size();
        const int64_t opened = Now();
        Advance(row.ring_after_ms - 1);
        EXPECT_EQ(Plays().size(), before) << "rang early";
        Advance(1);
        ASSERT_EQ(Plays().size(), before + 1);
        EXPECT_EQ(Plays().back().time_ms - opened, row.ring_after_ms);
        EXPECT_EQ(ClockLine(), "現在7:00:00    設定07:00");
    }
}

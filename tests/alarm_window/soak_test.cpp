// A week of mornings on virtual time: the alarm rings each day at its minute, is snoozed
// twice and stopped, and the user starts it again each evening before bed.
#include "tests/alarm_window/window_fixture.h"

namespace {
class SoakTest : public WindowTest {
  protected:
    void AdvanceTo(int64_t ms) { Advance(ms - Now()); }
    // Ring times since `first`, in ms after `origin`.
    std::vector<int64_t> RingTimes(size_t first, int64_t origin) const {
        std::vector<int64_t> times;
        for (size_t i = first; i < Plays().size(); ++i)
            times.push_back(Plays()[i].time_ms - origin);
        return times;
    }
};
} // namespace

TEST_F(SoakTest, SevenMorningsEachRingAtTheAlarmMinuteAndNeverAfterTheStop) {
    WriteSettings("h_data\n7\nm_data\n00");
    Open(6, 0, 0); // the open's own start measures the first night
    ASSERT_EQ(Plays().size(), 1u);
    constexpr int64_t kSeven = kHourMs; // 7:00:00 of the first day, on the monotonic clock

    for (int64_t day = 0; day < 7; ++day) {
        SCOPED_TRACE("day " + std::to_string(day + 1));
        const int64_t seven = kSeven + day * kDayMs;
        const size_t before = Plays().size();

        AdvanceTo(seven + 1000 - 1);
        EXPECT_EQ(Plays().size(), before) << "nothing rings early";
        // Five rings, a key; after five minutes three rings, a key; then two rings and Stop.
        AdvanceTo(seven + 5000);
        PressKey();
        AdvanceTo(seven + 5000 + 304000);
        PressKey();
        AdvanceTo(seven + 5000 + 304000 + 302000);
        NotNil(W().PushButton1()).Push();
        EXPECT_TRUE(IsIdle());
        EXPECT_EQ(RingTimes(before, seven),
                  (std::vector<int64_t>{1000, 2000, 3000, 4000, 5000, 306000, 307000, 308000,
                                        309000, 610000, 611000}));
        for (size_t i = before; i < Plays().size(); ++i)
            EXPECT_EQ(Plays()[i].volume, 20) << "each burst starts soft";

        // Quiet for the rest of the day; at 22:00 the user starts it for the next morning.
        const size_t at_stop = Plays().size();
        AdvanceTo(seven + 15 * kHourMs);
        NotNil(W().PushButton1()).Push();
        EXPECT_TRUE(IsMeasuring());
        EXPECT_EQ(Plays().size(), at_stop) << "never twice in a day after Stop";
    }
    EXPECT_EQ(Plays().size(), 1u + 7 * 11);
    EXPECT_TRUE(messages->texts.empty());
}

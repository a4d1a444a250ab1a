// A user's morning, from start-up to the saved settings file, through the real start-up
// sequence, the real handlers and controls, on virtual time.
#include "tests/alarm_window/window_fixture.h"

namespace {
class ScenarioTest : public WindowTest {
  protected:
    // The plays since `first`, as (sound, volume, seconds after 7:00:00).
    std::vector<std::tuple<std::string, int32_t, int64_t>> PlaysFrom(size_t first) const {
        std::vector<std::tuple<std::string, int32_t, int64_t>> plays;
        for (size_t i = first; i < Plays().size(); ++i)
            plays.emplace_back(Plays()[i].sound, Plays()[i].volume,
                               (Plays()[i].time_ms - kSevenMs) / 1000);
        return plays;
    }
    // Opened at 6:59:47: 7:00:00 is 13 s later on the monotonic clock.
    static constexpr int64_t kSevenMs = 13000;
};
} // namespace

TEST_F(ScenarioTest, SetSevenOClockRingSnoozeStopAndClose) {
    SetTime(6, 59, 47);
    Boot();
    RuntimeDispatch([] { NotNil(App()).on_open(); });
    auto& window = W();

    // The window opens: one start-up ring, loud and without the hint, and it measures.
    EXPECT_TRUE(window.NativeWidget()->isVisible());
    ASSERT_EQ(Plays().size(), 1u);
    EXPECT_EQ(Plays()[0].sound, "Glass");
    EXPECT_EQ(Plays()[0].volume, 100);
    EXPECT_EQ(window.StaticText_comment()->Text(), "");
    EXPECT_TRUE(IsMeasuring());
    EXPECT_EQ(window.EditField3()->Text(), "現在6:59:47    設定00:00");
    EXPECT_EQ(window.Timer1()->Period(), 3000);

    // The user picks ChuToy (one preview), sets 7:00 with the arrows and moves the window.
    NotNil(window.BevelButton1()).ChooseRow(3);
    SetAlarmWithArrows(7, 0);
    EXPECT_EQ(window.EditField1()->Text(), "7");
    EXPECT_EQ(window.EditField2()->Text(), "00");
    window.SetTop(120);
    window.SetLeft(200);
    ASSERT_EQ(Plays().size(), 2u);
    EXPECT_EQ(Plays()[1].sound, "ChuToy");
    EXPECT_EQ(Plays()[1].volume, 100);

    // Ticks at 6:59:50 (aligned) and every five seconds; the one at 7:00:00 matches.
    Advance(3000);
    EXPECT_EQ(window.EditField3()->Text(), "現在6:59:50    設定07:00");
    EXPECT_EQ(window.Timer1()->Period(), 5000);
    Advance(10000);
    EXPECT_EQ(window.EditField3()->Text(), "現在7:00:00    設定07:00");
    EXPECT_TRUE(IsRinging());
    EXPECT_EQ(Plays().size(), 2u);

    // Rings 1 to 10 soft with the hint, ring 11 loud.
    Advance(11000);
    std::vector<std::tuple<std::string, int32_t, int64_t>> expected;
    for (int64_t ring = 1; ring <= 11; ++ring)
        expected.emplace_back("ChuToy", ring <= 10 ? 20 : 100, ring);
    EXPECT_EQ(PlaysFrom(2), expected);
    EXPECT_EQ(window.StaticText_comment()->Text(), kHint);
    EXPECT_EQ(scripts->Runs().size(), 11u);

    // A key snoozes: five minutes of nothing, then soft rings again.
    PressKey(Qt::Key_Return);
    EXPECT_TRUE(IsSnoozing());
    EXPECT_EQ(window.StaticText3()->Text(), "スヌーズ中...");
    EXPECT_EQ(window.StaticText3()->TextColor(), Color{0xFF6112});
    EXPECT_EQ(window.StaticText_comment()->Text(), "");
    const size_t before_snooze = Plays().size();
    Advance(300000);
    EXPECT_EQ(Plays().size(), before_snooze);
    EXPECT_TRUE(IsRinging());
    Advance(2000);
    EXPECT_EQ(PlaysFrom(before_snooze), (std::vector<std::tuple<std::string, int32_t, int64_t>>{
                                            {"ChuToy", 20, 312}, {"ChuToy", 20, 313}}));
    EXPECT_EQ(window.StaticText_comment()->Text(), kHint);

    // Stop: Idle with every timer off, and quiet from then on.
    NotNil(window.PushButton1()).Push();
    EXPECT_TRUE(IsIdle());
    const size_t at_stop = Plays().size();
    Advance(kDayMs);
    EXPECT_EQ(Plays().size(), at_stop);

    // Close: the settings file holds exactly the seven keys.
    Quit(7);
    window.Close();
    EXPECT_EQ(RuntimeExit(), 0);
    EXPECT_EQ(ReadSettings(), "h_data\n7\nm_data\n00\nh_timer\n\nm_timer\n\nsound_res\n3\n"
                              "window_top\n120\nwindow_left\n200");
    EXPECT_TRUE(messages->texts.empty());
}

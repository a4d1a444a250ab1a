// Time entry: the arrow rule on all four fields, "set" (now + duration) and the "set"
// button's enabled state.
#include "tests/alarm_window/window_fixture.h"

namespace {
enum class Arrow { AlarmHour, AlarmMinute, DurationHour, DurationMinute };

using AlarmWindow = class Window1;
// Each arrow pair and the field it steps, by Arrow.
const struct {
    std::shared_ptr<UpDownArrows> (AlarmWindow::*arrows)();
    std::shared_ptr<TextField> (AlarmWindow::*field)();
} kPairs[] = {{&AlarmWindow::UpDownArrows1, &AlarmWindow::EditField1},
              {&AlarmWindow::UpDownArrows2, &AlarmWindow::EditField2},
              {&AlarmWindow::UpDownArrows3, &AlarmWindow::TextField1},
              {&AlarmWindow::UpDownArrows4, &AlarmWindow::TextField2}};

class TimeEntryTest : public WindowTest {
  protected:
    std::shared_ptr<UpDownArrows> ArrowsOf(Arrow arrow) {
        return (W().*kPairs[static_cast<int>(arrow)].arrows)();
    }
    std::shared_ptr<TextField> FieldOf(Arrow arrow) {
        return (W().*kPairs[static_cast<int>(arrow)].field)();
    }
    void PressSet() { NotNil(W().PushButton3()).Push(); }
    bool SetEnabled() { return W().PushButton3()->Enabled(); }
};

struct StepCase {
    Arrow arrow;
    bool up;
    const char* before;
    const char* after;
};
void PrintTo(const StepCase& c, std::ostream* os) {
    const char* fields[] = {"EditField1", "EditField2", "TextField1", "TextField2"};
    *os << fields[static_cast<int>(c.arrow)] << (c.up ? " Up " : " Down ") << '"' << c.before
        << "\" gives \"" << c.after << '"';
}

class ArrowTest : public TimeEntryTest, public testing::WithParamInterface<StepCase> {};

TEST_P(ArrowTest, OneClickStepsTheFieldByOneAndWrapsAtItsEnds) {
    const auto& step = GetParam();
    Open(7, 0, 0);
    NotNil(FieldOf(step.arrow)).SetText(step.before);
    if (step.up) {
        Up(ArrowsOf(step.arrow));
    } else {
        Down(ArrowsOf(step.arrow));
    }
    EXPECT_EQ(FieldOf(step.arrow)->Text(), step.after);
}

constexpr bool kUp = true, kDown = false;
INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ArrowTest,
    testing::Values(
        // Empty text counts as 0.
        StepCase{Arrow::AlarmHour, kUp, "", "1"}, StepCase{Arrow::AlarmHour, kDown, "", "23"},
        StepCase{Arrow::AlarmMinute, kUp, "", "01"}, StepCase{Arrow::AlarmMinute, kDown, "", "59"},
        StepCase{Arrow::DurationHour, kUp, "", "1"}, StepCase{Arrow::DurationHour, kDown, "", "23"},
        StepCase{Arrow::DurationMinute, kUp, "", "01"},
        StepCase{Arrow::DurationMinute, kDown, "", "59"},
        // Wrapping and plain steps.
        StepCase{Arrow::AlarmHour, kUp, "23", "0"}, StepCase{Arrow::AlarmHour, kDown, "0", "23"},
        StepCase{Arrow::AlarmHour, kUp, "9", "10"}, StepCase{Arrow::AlarmMinute, kUp, "59", "00"},
        StepCase{Arrow::AlarmMinute, kDown, "00", "59"},
        StepCase{Arrow::AlarmMinute, kUp, "00", "01"},
        StepCase{Arrow::AlarmMinute, kDown, "10", "09"},
        StepCase{Arrow::AlarmMinute, kDown, "01", "00"},
        StepCase{Arrow::DurationHour, kUp, "23", "0"},
        StepCase{Arrow::DurationMinute, kUp, "59", "00"},
        StepCase{Arrow::DurationMinute, kDown, "10", "09"},
        // A one-character minute from the settings file.
        StepCase{Arrow::AlarmMinute, kUp, "5", "06"},
        StepCase{Arrow::AlarmMinute, kDown, "5", "04"},
        // No leading number counts as 0.
        StepCase{Arrow::AlarmHour, kUp, "abc", "1"},
        StepCase{Arrow::AlarmMinute, kDown, "abc", "59"},
        // Above the range only Up wraps.
        StepCase{Arrow::AlarmHour, kUp, "30", "0"}, StepCase{Arrow::AlarmHour, kDown, "30", "29"},
        StepCase{Arrow::AlarmMinute, kUp, "75", "00"},
        StepCase{Arrow::AlarmMinute, kDown, "75", "74"},
        // Below the range only Down wraps.
        StepCase{Arrow::AlarmHour, kUp, "-5", "-4"}, StepCase{Arrow::AlarmHour, kDown, "-5", "23"},
        StepCase{Arrow::AlarmMinute, kUp, "-5", "-4"},
        StepCase{Arrow::AlarmMinute, kDown, "-5", "59"},
        StepCase{Arrow::AlarmMinute, kUp, "-1", "00"},
        // Fractions stay fractional and get no "0" when longer than one character.
        StepCase{Arrow::AlarmHour, kUp, "7.5", "8.5"},
        StepCase{Arrow::AlarmMinute, kUp, "0.5", "1.5"},
        StepCase{Arrow::AlarmMinute, kDown, "0.5", "59"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

struct SetCase {
    int32_t hour, minute;
    const char* duration_hours;
    const char* duration_minutes;
    const char* alarm_hour;
    const char* alarm_minute;
};
void PrintTo(const SetCase& c, std::ostream* os) {
    *os << c.hour << ":" << c.minute << " + \"" << c.duration_hours << "\":\"" << c.duration_minutes
        << '"';
}

class SetButtonTest : public TimeEntryTest, public testing::WithParamInterface<SetCase> {};

TEST_P(SetButtonTest, SetMakesTheAlarmNowPlusTheDurationAndDisablesTheButton) {
    const auto& c = GetParam();
    Open(7, 0, 0);
    W().TextField1()->SetText(c.duration_hours);
    W().TextField2()->SetText(c.duration_minutes);
    SetTime(c.hour, c.minute, 42);
    PressSet();
    EXPECT_EQ(W().EditField1()->Text(), c.alarm_hour);
    EXPECT_EQ(W().EditField2()->Text(), c.alarm_minute);
    EXPECT_FALSE(SetEnabled());
    EXPECT_TRUE(IsMeasuring()) << "set neither starts nor stops the alarm";
    EXPECT_EQ(W().my_hour, c.hour);
    EXPECT_EQ(W().my_second, 42);
}

INSTANTIATE_TEST_SUITE_P(
    Durations, SetButtonTest,
    testing::Values(SetCase{23, 50, "0", "15", "0", "05"}, SetCase{22, 59, "1", "1", "0", "00"},
                    SetCase{10, 30, "0", "90", "11", "60"}, SetCase{9, 7, "", "", "9", "07"},
                    SetCase{1, 0, "-3", "0", "-2", "00"},
                    // A hand-edited hour saturates; the carry does not overflow it.
                    SetCase{5, 30, "1e12", "45", "2147483623", "15"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(TimeEntryTest, AnAlarmPastTheRangeFromSetIsReportedAtTheNextTick) {
    Open(10, 30, 0);
    W().TextField2()->SetText("90");
    PressSet();
    EXPECT_TRUE(messages->texts.empty());
    Advance(5000);
    EXPECT_EQ(messages->texts, std::vector<std::string>{kInvalidTime});
    EXPECT_TRUE(IsIdle());
}

struct ReenableCase {
    Arrow arrow;
    bool up;
    const char* before; // the field's text before the click
    bool enables;
};
void PrintTo(const ReenableCase& c, std::ostream* os) {
    *os << "UpDownArrows" << static_cast<int>(c.arrow) + 1 << (c.up ? " Up" : " Down") << " on \""
        << c.before << '"';
}

class SetButtonStateTest : public TimeEntryTest,
                           public testing::WithParamInterface<ReenableCase> {};

TEST_P(SetButtonStateTest, OnlyTheDurationArrowsEnableSetAgainOnEitherPath) {
    const auto& c = GetParam();
    Open(7, 0, 0);
    PressSet();
    ASSERT_FALSE(SetEnabled());
    NotNil(FieldOf(c.arrow)).SetText(c.before);
    if (c.up) {
        Up(ArrowsOf(c.arrow));
    } else {
        Down(ArrowsOf(c.arrow));
    }
    EXPECT_EQ(SetEnabled(), c.enables);
}

INSTANTIATE_TEST_SUITE_P(Arrows, SetButtonStateTest,
                         testing::Values(
                             // A step, then a wrap at either end.
                             ReenableCase{Arrow::AlarmHour, kUp, "", false},
                             ReenableCase{Arrow::AlarmHour, kDown, "", false},
                             ReenableCase{Arrow::AlarmMinute, kUp, "59", false},
                             ReenableCase{Arrow::AlarmMinute, kDown, "", false},
                             ReenableCase{Arrow::DurationHour, kUp, "", true},
                             ReenableCase{Arrow::DurationHour, kDown, "", true},
                             ReenableCase{Arrow::DurationHour, kUp, "23", true},
                             ReenableCase{Arrow::DurationMinute, kDown, "10", true},
                             ReenableCase{Arrow::DurationMinute, kDown, "", true},
                             ReenableCase{Arrow::DurationMinute, kUp, "59", true}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(TimeEntryTest, AStopLeavesSetDisabledAndTheNextStartEnablesIt) {
    Open(7, 0, 0);
    PressSet();
    NotNil(W().PushButton1()).Push();
    ASSERT_TRUE(IsIdle());
    EXPECT_FALSE(SetEnabled());
    W().TextField1()->SetText("2"); // a text change is no arrow click
    PressSet();
    EXPECT_EQ(W().EditField1()->Text(), "7") << "a disabled button does nothing";
    NotNil(W().PushButton1()).Push();
    EXPECT_TRUE(IsMeasuring());
    EXPECT_TRUE(SetEnabled());
}
} // namespace

// The alarm engine on virtual time: Start/Stop, the aligned clock tick, the minute match,
// validation, the ring ramp, snooze by any key, previews and the sound menu.
#include "shell/framework/core/text.h"
#include "shell/sounds.h"
#include "tests/alarm_window/window_fixture.h"

#include <QEvent>
#include <QKeySequence>
#include <QWidget>
#include <functional>
#include <tuple>

namespace {
class EngineTest : public WindowTest {
  protected:
    // Opens at hh:mm:ss with the alarm fields as stored in the settings file.
    void OpenWithAlarm(const std::string& hour, const std::string& minute, int32_t h, int32_t m,
                       int32_t s) {
        WriteSettings("h_data\n" + hour + "\nm_data\n" + minute);
        Open(h, m, s);
    }
    // Rings after the start-up ring.
    std::vector<PlayRecord> Rings() const { return {Plays().begin() + 1, Plays().end()}; }
    std::string ClockLine() { return W().EditField3()->Text(); }
};

// Runs a check at the moment each message is shown.
class WatchingPresenter : public MessageBoxPresenter {
  public:
    explicit WatchingPresenter(std::function<void(const std::string&)> watch)
        : watch_(std::move(watch)) {}
    void Present(const std::string& text) override { watch_(text); }

  private:
    std::function<void(const std::string&)> watch_;
};
} // namespace

TEST_F(EngineTest, TheOpenStartsMeasuringAfterOneLoudStartUpRingWithoutHint) {
    OpenWithAlarm("7", "00", 6, 59, 50);
    ASSERT_EQ(Plays().size(), 1u);
    EXPECT_EQ(Plays()[0].sound, "Glass");
    EXPECT_EQ(Plays()[0].volume, 100);
    EXPECT_EQ(Plays()[0].delay_ms, 0) << "played by the Open, at once";
    EXPECT_TRUE(W().StaticText_comment()->Text().empty());
    EXPECT_TRUE(IsMeasuring());
    EXPECT_EQ(W().StaticText3()->Text(), "計測中...");
    EXPECT_EQ(W().StaticText3()->TextColor(), Color{0x004080});
    EXPECT_EQ(ClockLine(), "現在6:59:50    設定07:00");
    EXPECT_TRUE(messages->texts.empty());
}

TEST_F(EngineTest, TheClockLineShowsTheTimeAndTheAlarmZeroPadded) {
    OpenWithAlarm("7", "30", 9, 5, 7);
    EXPECT_EQ(ClockLine(), "現在9:05:07    設定07:30");
    W().EditField1()->SetText("");
    W().EditField2()->SetText("");
    Advance(3000);
    EXPECT_EQ(ClockLine(), "現在9:05:10    設定00:00") << "empty fields are a valid 0:00";
    EXPECT_TRUE(IsMeasuring());
}

struct AlignmentCase {
    int32_t start_second;
    int32_t first_period_ms;
};
void PrintTo(const AlignmentCase& c, std::ostream* os) {
    *os << "start at second " << c.start_second;
}

class AlignmentTest : public EngineTest, public testing::WithParamInterface<AlignmentCase> {};

TEST_P(AlignmentTest, TicksLandOnSecondsDivisibleByFive) {
    const auto [start_second, first_period_ms] = GetParam();
    OpenWithAlarm("12", "00", 7, 0, start_second);
    EXPECT_EQ(W().Timer1()->Period(), first_period_ms);

    Advance(first_period_ms - 1);
    EXPECT_EQ(ClockLine(), "現在7:00:" + Format(start_second, "00") + "    設定12:00");
    Advance(1);
    const int32_t first_tick = start_second + first_period_ms / 1000;
    EXPECT_EQ(first_tick % 5, 0);
    EXPECT_EQ(ClockLine(), "現在7:" + Format(first_tick / 60, "00") + ":" +
                               Format(first_tick % 60, "00") + "    設定12:00");
    EXPECT_EQ(W().Timer1()->Period(), 5000);
    for (int32_t tick = first_tick + 5; tick <= first_tick + 15; tick += 5) {
        Advance(5000);
        EXPECT_EQ(ClockLine(), "現在7:" + Format(tick / 60, "00") + ":" + Format(tick % 60, "00") +
                                   "    設定12:00");
    }
}

INSTANTIATE_TEST_SUITE_P(StartSeconds, AlignmentTest,
                         testing::Values(AlignmentCase{17, 3000}, AlignmentCase{20, 5000},
                                         AlignmentCase{24, 1000}, AlignmentCase{58, 2000}),
                         [](const auto& info) {
                             return "Second" + std::to_string(info.param.start_second);
                         });

TEST_F(EngineTest, OnlyTheMinuteIsComparedSoALateStartRingsTheNextDay) {
    OpenWithAlarm("7", "00", 7, 0, 58);
    Advance(kDayMs - 58 * 1000); // to 7:00:00 the next day
    EXPECT_TRUE(Rings().empty()) << "the first tick came at 7:01:00";
    EXPECT_TRUE(IsRinging());
    Advance(1000);
    ASSERT_EQ(Rings().size(), 1u);
    EXPECT_EQ(Rings()[0].time_ms, kDayMs - 57 * 1000);
    EXPECT_EQ(Rings()[0].volume, 20);
}

struct InvalidCase {
    const char* hour;
    const char* minute;
};
void PrintTo(const InvalidCase& c, std::ostream* os) {
    *os << '"' << c.hour << "\" \"" << c.minute << '"';
}

class InvalidAlarmTest : public EngineTest, public testing::WithParamInterface<InvalidCase> {};

TEST_P(InvalidAlarmTest, StopsFirstThenOneTwoLineMessageAndAnEmptyClockLine) {
    std::vector<bool> idle_when_shown;
    InstallMessageBoxPresenter(std::make_shared<WatchingPresenter>([&](const std::string& text) {
        messages->texts.push_back(text);
        idle_when_shown.push_back(IsIdle());
    }));
    OpenWithAlarm(GetParam().hour, GetParam().minute, 6, 59, 0);

    EXPECT_EQ(messages->texts, std::vector<std::string>{kInvalidTime});
    EXPECT_EQ(idle_when_shown, std::vector<bool>{true}) << "every timer is off before the box";
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(ClockLine(), "");
    EXPECT_EQ(W().EditField1()->Text(), GetParam().hour);
    Advance(kDayMs);
    EXPECT_EQ(Plays().size(), 1u) << "only the start-up ring";
    EXPECT_EQ(messages->texts.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Fields, InvalidAlarmTest,
                         testing::Values(InvalidCase{"24", "00"}, InvalidCase{"7", "60"},
                                         InvalidCase{"-1", "00"}, InvalidCase{"7", "-1"}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(EngineTest, FieldsTurnedInvalidStopTheAlarmAtTheNextTickEvenWhileRinging) {
    OpenWithAlarm("7", "00", 6, 59, 55);
    Advance(7000); // rings at 7:00:01 and 7:00:02
    ASSERT_TRUE(IsRinging());
    W().EditField2()->SetText("60");
    Advance(3000); // the tick at 7:00:05
    EXPECT_EQ(messages->texts, std::vector<std::string>{kInvalidTime});
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(ClockLine(), "");
    const auto rings = Rings().size();
    Advance(kMinuteMs);
    EXPECT_EQ(Rings().size(), rings);
}

TEST_F(EngineTest, TenSoftRingsWithTheHintThenLoudOnesWhileTheAlarmMinuteTicksGoOn) {
    OpenWithAlarm("7", "00", 6, 59, 50);
    Advance(10000); // the matching tick at 7:00:00
    EXPECT_TRUE(IsRinging());
    EXPECT_TRUE(Rings().empty()) << "the first ring comes one second later";
    Advance(13000); // rings at 7:00:01 … 7:00:13; ticks at :05 and :10 fall in between
    ASSERT_EQ(Rings().size(), 13u);
    for (size_t i = 0; i < 13; ++i) {
        EXPECT_EQ(Rings()[i].sound, "Glass");
        EXPECT_EQ(Rings()[i].time_ms, 11000 + 1000 * int64_t(i));
        EXPECT_EQ(Rings()[i].volume, i < 10 ? 20 : 100) << "ring " << i + 1;
        // Played by the ring tick: the same time after each tick, whatever came before.
        EXPECT_EQ(Rings()[i].delay_ms, Sound::kAfterTimerMs) << "ring " << i + 1;
    }
    EXPECT_EQ(W().StaticText_comment()->Text(), kHint) << "a loud ring leaves the hint";
    ASSERT_EQ(scripts->Runs().size(), 13u);
    EXPECT_EQ(scripts->Runs()[0].script_path,
              std::string(PACKAGE_DIR) + "/Resources/zkActiveteDorvane2.scpt");
    EXPECT_EQ(scripts->Runs()[0].arguments, std::vector<std::string>{kExecutable});
}

TEST_F(EngineTest, EachRingShowsAMinimisedOrHiddenWindowAgain) {
    OpenWithAlarm("7", "00", 6, 59, 50);
    Advance(11000); // the first ring
    QWidget* native = W().NativeWidget();
    const std::pair<const char*, void (*)(QWidget*)> put_away[] = {
        {"minimised", [](QWidget* w) { w->showMinimized(); }},
        {"hidden", [](QWidget* w) { w->hide(); }}};
    for (const auto& [how, put] : put_away) {
        SCOPED_TRACE(how);
        put(native);
        ASSERT_TRUE(native->isMinimized() || !native->isVisible());
        Advance(1000); // the next ring
        EXPECT_TRUE(native->isVisible());
        EXPECT_FALSE(native->isMinimized());
    }
    EXPECT_EQ(Rings().size(), 3u);
}

TEST_F(EngineTest, AKeyWhileRingingSnoozesFiveMinutesAndRingingResumesSoft) {
    OpenWithAlarm("7", "00", 6, 59, 50);
    Advance(12000); // two rings
    PressKey();
    EXPECT_TRUE(IsSnoozing());
    EXPECT_TRUE(W().StaticText_comment()->Text().empty());
    const int64_t snoozed_at = Now();

    Advance(300000 - 1);
    EXPECT_EQ(Rings().size(), 2u) << "the alarm-minute ticks do not restart ringing";
    Advance(1);
    EXPECT_TRUE(IsRinging());
    Advance(1000);
    ASSERT_EQ(Rings().size(), 3u);
    EXPECT_EQ(Rings()[2].time_ms, snoozed_at + 301000);
    EXPECT_EQ(Rings()[2].volume, 20);
    EXPECT_EQ(W().StaticText3()->Text(), "スヌーズ中...") << "the status stays from the snooze";
    EXPECT_EQ(W().StaticText3()->TextColor(), Color{0xFF6112});
    EXPECT_EQ(W().StaticText_comment()->Text(), kHint);
}

// Counts a widget's hide and show events: restarting the spinner is one of each.
class VisibilityEvents : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide) ++hides;
        if (event->type() == QEvent::Show) ++shows;
        return false;
    }
    int hides = 0, shows = 0;
};

TEST_F(EngineTest, ActivationRestartsTheSpinnerOnlyWhileTheStatusReadsMeasuring) {
    OpenWithAlarm("7", "00", 6, 59, 50);
    VisibilityEvents events;
    W().ProgressWheel1()->NativeWidget()->installEventFilter(&events);
    struct Step {
        const char* state;
        std::function<void()> reach;
        bool restarts;
    };
    const Step steps[] = {
        {"measuring", [] {}, true},
        {"ringing after measuring", [this] { Advance(11000); }, true},
        {"snoozing", [this] { PressKey(); }, false},
        {"ringing after the snooze", [this] { Advance(300000); }, false},
        {"idle", [this] { NotNil(W().PushButton1()).Push(); }, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.state);
        step.reach();
        const bool visible = W().ProgressWheel1()->Visible();
        events.hides = events.shows = 0;
        W().on_activate(); // as the platform's activation raises it
        EXPECT_EQ(events.hides, step.restarts ? 1 : 0);
        EXPECT_EQ(events.shows, step.restarts ? 1 : 0);
        EXPECT_EQ(W().ProgressWheel1()->Visible(), visible);
    }
}

TEST_F(EngineTest, AKeyInTheSecondBeforeTheFirstRingSnoozes) {
    OpenWithAlarm("7", "00", 6, 59, 50);
    Advance(10000);
    ASSERT_TRUE(IsRinging());
    PressKey(Qt::Key_Space);
    EXPECT_TRUE(IsSnoozing());
    Advance(1000);
    EXPECT_TRUE(Rings().empty());
}

class RingingKeyTest : public EngineTest, public testing::WithParamInterface<Qt::Key> {};

TEST_P(RingingKeyTest, EveryKeyWhileRingingSnoozesAndNoneChangesTheAlarm) {
    WriteSettings("h_data\n7\nm_data\n00\nh_timer\n\nm_timer\n30"); // "set" would give 7:30
    Open(6, 59, 50);
    Advance(11000); // the first ring
    ASSERT_TRUE(IsRinging());
    ASSERT_TRUE(W().PushButton3()->Enabled()) << "\"set\", the cancel button, can be pressed";
    PressKey(GetParam());
    EXPECT_TRUE(IsSnoozing());
    EXPECT_EQ(W().EditField1()->Text(), "7");
    EXPECT_EQ(W().EditField2()->Text(), "00");
    EXPECT_TRUE(W().PushButton3()->Enabled()) << "\"set\" was not pressed";
    EXPECT_EQ(W().PushButton1()->Caption(), "停止");
}

INSTANTIATE_TEST_SUITE_P(Keys, RingingKeyTest,
                         testing::Values(Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter,
                                         Qt::Key_Space, Qt::Key_Tab, Qt::Key_Backspace, Qt::Key_Up,
                                         Qt::Key_F1),
                         [](const auto& info) {
                             return QKeySequence(info.param).toString().toStdString();
                         });

enum class Reached { Idle, Measuring, Snoozing };

std::string StateName(Reached state) {
    const char* names[] = {"Idle", "Measuring", "Snoozing"};
    return names[static_cast<int>(state)];
}
void PrintTo(Reached state, std::ostream* os) {
    *os << StateName(state);
}

class IgnoredKeyTest : public EngineTest, public testing::WithParamInterface<Reached> {
  protected:
    void Reach(Reached state) {
        if (state == Reached::Idle) NotNil(W().PushButton1()).Push();
        if (state == Reached::Snoozing) {
            Advance(11000); // the first ring
            PressKey();
        }
    }
};

TEST_P(IgnoredKeyTest, AKeyOutsideRingingChangesNothing) {
    OpenWithAlarm("7", "00", 6, 59, 50);
    Reach(GetParam());
    auto snapshot = [&] {
        return std::tuple(W().Timer1()->Mode(), W().Timer2()->Mode(), W().Timer3()->Mode(),
                          W().PushButton1()->Caption(), W().StaticText3()->Text(),
                          W().StaticText3()->TextColor(), W().StaticText_comment()->Text());
    };
    const auto before = snapshot();
    const auto plays = Plays().size();
    PressKey(Qt::Key_B);
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(W().Event_KeyDown("b"));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(Plays().size(), plays);
}

INSTANTIATE_TEST_SUITE_P(States, IgnoredKeyTest,
                         testing::Values(Reached::Idle, Reached::Measuring, Reached::Snoozing),
                         [](const auto& info) { return StateName(info.param); });

TEST_F(EngineTest, KeyDownReturnsFalseAndIgnoresKeysWhileTheWindowCloses) {
    OpenWithAlarm("7", "00", 6, 59, 50);
    Advance(11000);
    zkModule::f_windowcloseing = true;
    EXPECT_FALSE(W().Event_KeyDown("x"));
    PressKey();
    EXPECT_TRUE(IsRinging());
    zkModule::f_windowcloseing = false;
    EXPECT_FALSE(W().Event_KeyDown("x"));
    EXPECT_TRUE(IsSnoozing());
}

TEST_F(EngineTest, APreviewWhileRingingMakesTheFollowingRingsLoud) {
    OpenWithAlarm("7", "00", 6, 59, 50);
    Advance(13000); // three soft rings
    NotNil(W().PushButton2()).Push();
    ASSERT_EQ(Rings().size(), 4u);
    EXPECT_EQ(Rings()[3].volume, 100);
    EXPECT_EQ(Rings()[3].time_ms, 13000);
    EXPECT_EQ(Rings()[3].delay_ms, 0) << "a preview plays at once";
    Advance(2000);
    ASSERT_EQ(Rings().size(), 6u);
    EXPECT_EQ(Rings()[4].volume, 100);
    EXPECT_EQ(Rings()[5].volume, 100);
    EXPECT_EQ(W().StaticText_comment()->Text(), kHint);
}

TEST_F(EngineTest, AStopWhileSnoozingCancelsTheSnooze) {
    OpenWithAlarm("7", "00", 6, 59, 50);
    Advance(11000);
    PressKey();
    NotNil(W().PushButton1()).Push();
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(W().StaticText3()->TextColor(), Color{0xFF6112}) << "Stop leaves the colour";
    const std::string line = W().EditField3()->Text();
    EXPECT_EQ(line, "現在7:00:01    設定07:00");
    Advance(kHourMs);
    EXPECT_EQ(Rings().size(), 1u);
    EXPECT_EQ(W().EditField3()->Text(), line) << "the line of the Stop stays";

    NotNil(W().PushButton1()).Push();
    EXPECT_TRUE(IsMeasuring());
    EXPECT_EQ(W().StaticText3()->Text(), "計測中...");
    EXPECT_EQ(W().StaticText3()->TextColor(), Color{0x004080});
}

TEST_F(EngineTest, ChoosingARowSetsTheCaptionAndPlaysThatSoundOnceLoud) {
    Open(7, 0, 30);
    auto& chooser = NotNil(W().BevelButton1());
    chooser.ChooseRow(3);
    EXPECT_EQ(chooser.Caption(), "ChuToy");
    EXPECT_EQ(chooser.MenuValue(), 3);
    ASSERT_EQ(Plays().size(), 2u);
    EXPECT_EQ(Plays()[1].sound, "ChuToy");
    EXPECT_EQ(Plays()[1].volume, 100);
    NotNil(W().PushButton2()).Push();
    ASSERT_EQ(Plays().size(), 3u);
    EXPECT_EQ(Plays()[2].sound, "ChuToy");
    EXPECT_EQ(Plays()[2].volume, 100);
}

TEST_F(EngineTest, AMissingSoundRaisesNilObjectExceptionBeforeAnyPlay) {
    TempleStatics.loaded = true; // its one load attempt gave nil
    Open(7, 0, 30);
    testing::internal::CaptureStderr();
    NotNil(W().BevelButton1()).ChooseRow(4);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(W().BevelButton1()->Caption(), "Temple");
    EXPECT_EQ(Plays().size(), 1u);
    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_NE(messages->texts[0].find("NilObjectException"), std::string::npos);
    EXPECT_NE(errors.find("NilObjectException"), std::string::npos);
}

#pragma once
// The alarm window as a user meets it: a temporary HOME, the four fakes, the real start-up
// sequence up to the event loop, and App's Open event. After every test the process-state
// listener (tests/support/process_state.h) empties the runtime's registries and the
// program's statics again, so each test boots as a new process would.

#include "alarm_window/window1.h"
#include "shell/app.h"
#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/application.h"
#include "shell/startup.h"
#include "shell/zk_module.h"
#include "tests/support/gui_test.h"
#include "tests/support/recording_audio_output.h"
#include "tests/support/recording_script_runner.h"

#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

inline const std::string kHint = "どれかキーを押すと５分後にまた鳴ります。";
inline const std::string kInvalidTime = "アラーム時刻が不正です。\n時刻は0:00〜23:59の範囲です。";
inline const std::string kExecutable = std::string(PACKAGE_DIR) + "/bin/Dorvane2";
constexpr int64_t kMinuteMs = 60 * 1000;
constexpr int64_t kHourMs = 60 * kMinuteMs;
constexpr int64_t kDayMs = 24 * kHourMs;

class WindowTest : public GuiTest {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "dorvane2-window-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        home = pattern;
        // Before Qt or anything else reads the home folder.
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DOCUMENTS_DIR");
        GuiTest::SetUp();
        audio = InstallRecordingAudioOutput();
        scripts = InstallRecordingScriptRunner();
        SetExecutablePathForTesting(kExecutable);
    }

    void TearDown() override {
        ReleaseImplicitWindows();
        GuiTest::TearDown();
        std::filesystem::remove_all(home);
    }

    // Start-up as RunProgram does it, up to the event loop.
    void Boot() {
        RuntimeInit();
        RegisterProgram();
        RuntimePerformInitializers();
        RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
        EarlyStartup();
    }

    // Boots at the given local time and raises App's Open, as the event loop does.
    void Open(int32_t hour, int32_t minute, int32_t second) {
        SetTime(hour, minute, second);
        Boot();
        RuntimeDispatch([] { NotNil(App()).on_open(); });
    }

    class Window1& W() {
        return NotNil(::Window1());
    }

    void SetTime(int32_t hour, int32_t minute, int32_t second, int32_t day = 10) {
        clock->SetLocalTime({2026, 12, day, hour, minute, second});
    }
    void Advance(int64_t ms) { clock->Advance(ms); }
    int64_t Now() const { return clock->MonotonicMs(); }

    // A click on one arrow of the pair, as the mouse makes it.
    static void Click(UpDownArrows& arrows, Qt::ArrowType which) {
        for (auto* arrow : arrows.NativeWidget()->findChildren<QToolButton*>())
            if (arrow->arrowType() == which) QTest::mouseClick(arrow, Qt::LeftButton);
    }
    static void Up(const std::shared_ptr<UpDownArrows>& arrows) {
        Click(NotNil(arrows), Qt::UpArrow);
    }
    static void Down(const std::shared_ptr<UpDownArrows>& arrows) {
        Click(NotNil(arrows), Qt::DownArrow);
    }
    static void Repeat(int count, void (*click)(const std::shared_ptr<UpDownArrows>&),
                       const std::shared_ptr<UpDownArrows>& arrows) {
        for (int i = 0; i < count; ++i)
            click(arrows);
    }
    // Sets the alarm to hh:mm from empty fields with the arrows, as a user would.
    void SetAlarmWithArrows(int hour, int minute) {
        Repeat(hour, Up, W().UpDownArrows1());
        Down(W().UpDownArrows2()); // empty gives "59", then on round to the minute
        Repeat(minute + 1, Up, W().UpDownArrows2());
    }
    void PressKey(Qt::Key key = Qt::Key_A) { QTest::keyClick(W().NativeWidget(), key); }

    // The state read off the controls.
    bool IsIdle() {
        return W().Timer1()->Mode() == 0 && W().Timer2()->Mode() == 0 &&
               W().Timer3()->Mode() == 0 && W().PushButton1()->Caption() == "スタート" &&
               W().StaticText3()->Text().empty() && W().StaticText_comment()->Text().empty() &&
               !W().ProgressWheel1()->Visible();
    }
    bool IsMeasuring() {
        return W().Timer1()->Mode() == 2 && W().Timer2()->Mode() == 0 &&
               W().Timer3()->Mode() == 0 && W().PushButton1()->Caption() == "停止" &&
               W().ProgressWheel1()->Visible();
    }
    bool IsRinging() {
        return W().Timer1()->Mode() == 2 && W().Timer2()->Mode() == 2 &&
               W().Timer3()->Mode() == 0 && W().PushButton1()->Caption() == "停止";
    }
    bool IsSnoozing() {
        return W().Timer1()->Mode() == 2 && W().Timer2()->Mode() == 0 &&
               W().Timer3()->Mode() == 1 && W().StaticText3()->Text() == "スヌーズ中..." &&
               W().StaticText3()->TextColor() == Color{0xFF6112};
    }

    std::string DocumentsPath() const { return home + "/Documents"; }
    std::string SettingsPath() const { return DocumentsPath() + "/Dorvane2appData"; }
    std::string ReadSettings() const {
        std::ifstream in(SettingsPath(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void WriteSettings(const std::string& bytes) const {
        std::filesystem::create_directories(DocumentsPath());
        std::ofstream(SettingsPath(), std::ios::binary) << bytes;
    }

    const std::vector<PlayRecord>& Plays() const { return audio->Plays(); }

    // Top (or Left) of a window with its frame, as the platform draws it, against the near
    // or the far edge of `area`; by default the primary screen's free area.
    static int32_t AgainstEdge(Window& window, bool top, bool far = false,
                               std::optional<QRect> area = std::nullopt) {
        QWidget* native = window.NativeWidget();
        const QRect free = area.value_or(QGuiApplication::primaryScreen()->availableGeometry());
        const QRect client = native->geometry();
        const QMargins frame = native->windowHandle()->frameMargins();
        if (top) {
            const int32_t content = window.Top() - client.top();
            return far ? free.bottom() + 1 - frame.bottom() - client.height() + content
                       : free.top() + frame.top() + content;
        }
        const int32_t content = window.Left() - client.left();
        return far ? free.right() + 1 - frame.right() - client.width() + content
                   : free.left() + frame.left() + content;
    }

    std::string home;
    std::shared_ptr<RecordingAudioOutput> audio;
    std::shared_ptr<RecordingScriptRunner> scripts;
};

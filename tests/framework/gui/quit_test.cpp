// The event loop: the application's Open, quitting (the window closes first, once, also
// when a signal or the session manager asks), the exit status, exceptions that escape
// handlers, and the missing display.
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/application.h"
#include "shell/framework/gui/display_check.h"
#include "shell/framework/gui/event_loop.h"
#include "shell/framework/gui/menu_item.h"
#include "shell/framework/gui/push_button.h"
#include "shell/framework/gui/window.h"
#include "tests/support/gui_test.h"
#include "tests/support/recording_audio_output.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdlib>

namespace {
// Runs `step` from the loop once the handler running now has ended.
void Later(std::function<void()> step) {
    QTimer::singleShot(0, QApplication::instance(),
                       [step = std::move(step)] { RuntimeDispatch(step); });
}

class QuitTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        app = std::make_shared<Application>();
        RuntimeRegisterAppObject(app);
        window = std::make_shared<Window>();
        window->on_create_controls = [this] {
            button = window->New<PushButton>();
            button->SetName("Button");
            window->AddControl(button);
        };
        window->on_close = [this] {
            events.push_back("close");
            Quit(0); // as the alarm window's Close handler does
        };
    }

    std::shared_ptr<Application> app;
    std::shared_ptr<Window> window;
    std::shared_ptr<PushButton> button;
    std::vector<std::string> events;
};
} // namespace

TEST_F(QuitTest, OpenIsRaisedOnceTheLoopRuns) {
    int opens = 0;
    app->on_open = [&] {
        ++opens;
        EXPECT_GE(QThread::currentThread()->loopLevel(), 1);
        Quit(0);
    };
    RuntimeRun();
    EXPECT_EQ(opens, 1);
}

TEST_F(QuitTest, QuitFromAHandlerClosesTheWindowOnceThenEndsRunWithItsCode) {
    window->on_close = [this] {
        events.push_back("close");
        Quit(3); // made while the window closes: it does not close it again
    };
    app->on_open = [this] {
        window->Show();
        Later([this] {
            Quit(3);
            Quit(3);
            events.push_back("handler end");
        });
    };
    RuntimeRun();

    EXPECT_EQ(events, (std::vector<std::string>{"handler end", "close"}));
    EXPECT_EQ(RuntimeExit(), 3);
    EXPECT_TRUE(window->IsClosed());
    EXPECT_FALSE(window->NativeWidget()->isVisible());
}

TEST_F(QuitTest, TheUsersCloseRunsCloseOnceAndItsQuitEndsTheLoop) {
    app->on_open = [this] {
        window->Show();
        Later([this] { window->NativeWidget()->close(); });
    };
    RuntimeRun();
    EXPECT_EQ(events, std::vector<std::string>{"close"});
    EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(QuitTest, ChoosingTheQuitItemClosesTheWindowFirst) {
    auto bar = std::make_shared<MenuBar>();
    auto file = std::make_shared<MenuItem>();
    file->SetText("ファイル");
    auto quit = std::make_shared<QuitMenuItem>();
    quit->SetText("終了");
    quit->SetKeyboardShortcut("Cmd+Q");
    file->Append(quit);
    bar->Append(file);
    app->SetMenuBar(bar);
    Quit(7); // outside the loop: only the code is kept

    app->on_open = [this] {
        window->Show();
        auto* native = static_cast<QMainWindow*>(window->NativeWidget());
        Later([native] { native->menuBar()->actions()[0]->menu()->actions()[0]->trigger(); });
    };
    RuntimeRun();
    EXPECT_EQ(events, std::vector<std::string>{"close"});
    EXPECT_EQ(RuntimeExit(), 0);
}

// The audio system goes with the loop's end, after the window's Close handler (which
// may still play) and before RuntimeRun returns to the finalizers and the exit.
TEST_F(QuitTest, TheLoopsEndClosesTheAudioOutputAfterTheWindowHasClosed) {
    auto audio = InstallRecordingAudioOutput();
    window->on_close = [&] {
        events.push_back(audio->Closed() ? "close after the audio" : "close");
        Quit(0);
    };
    app->on_open = [this] {
        window->Show();
        Later([] { Quit(0); });
    };
    RuntimeRun();
    EXPECT_EQ(events, std::vector<std::string>{"close"});
    EXPECT_TRUE(audio->Closed());
    InstallAudioOutput(nullptr);
}

TEST_F(QuitTest, QuitOutsideTheLoopOnlyRecordsTheCode) {
    window->Show();
    Quit(5);
    QApplication::processEvents();
    EXPECT_EQ(RuntimeExit(), 5);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(window->NativeWidget()->isVisible());
}

TEST_F(QuitTest, QuitWaitsForAHandlerInsideAModalLoop) {
    app->on_open = [this] {
        window->Show();
        Quit(0);
        // A modal box runs a nested loop, which also delivers the posted quit.
        QEventLoop modal;
        QTimer::singleShot(0, &modal, &QEventLoop::quit);
        modal.exec();
        events.push_back("handler end");
    };
    RuntimeRun();
    EXPECT_EQ(events, (std::vector<std::string>{"handler end", "close"}));
}

TEST_F(QuitTest, AnExceptionInAHandlerIsReportedOnceAndTheLoopGoesOn) {
    app->on_open = [this] {
        window->Show();
        button->on_action = [](PushButton&) { throw NilObjectException(); };
        Later([this] { button->Push(); });
        Later([this] { events.push_back("next event"); });
        Later([] { Quit(0); });
    };
    testing::internal::CaptureStderr();
    RuntimeRun();
    const std::string errors = testing::internal::GetCapturedStderr();

    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_NE(messages->texts[0].find("NilObjectException"), std::string::npos);
    EXPECT_NE(errors.find("NilObjectException"), std::string::npos);
    EXPECT_EQ(events, (std::vector<std::string>{"next event", "close"}));
}

TEST_F(QuitTest, UnhandledExceptionIsReportedWithItsClassName) {
    testing::internal::CaptureStderr();
    RuntimeUnhandledException(nullptr);
    RuntimeUnhandledException(std::make_exception_ptr(IOException(28, "disk full")));
    const std::string errors = testing::internal::GetCapturedStderr();

    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_NE(messages->texts[0].find("IOException"), std::string::npos);
    EXPECT_NE(errors.find("IOException"), std::string::npos);
}

// No QApplication here: the death test's child process starts from nothing.
TEST(DisplayCheckTest, WithoutADisplayRunSaysSoInOneLineAndExits1WhateverPlatformIsChosen) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // nullptr: QT_QPA_PLATFORM unset. Qt would abort on each of these.
    for (const char* platform : {static_cast<const char*>(nullptr), "xcb", "xcb:nograb", "wayland",
                                 "wayland;xcb", "nosuchplatform"}) {
        for (const char* display : {static_cast<const char*>(nullptr), ":4711"}) {
            SCOPED_TRACE(testing::Message() << "QT_QPA_PLATFORM " << (platform ? platform : "unset")
                                            << ", DISPLAY " << (display ? display : "unset"));
            EXPECT_EXIT(
                {
                    if (platform)
                        setenv("QT_QPA_PLATFORM", platform, 1);
                    else
                        unsetenv("QT_QPA_PLATFORM");
                    unsetenv("WAYLAND_DISPLAY");
                    if (display)
                        setenv("DISPLAY", display, 1);
                    else
                        unsetenv("DISPLAY");
                    RuntimeRun();
                },
                testing::ExitedWithCode(1), "^Dorvane2: no display: [^\n]+\n$");
        }
    }
}

TEST(DisplayCheckTest, PlatformsThatNeedNoDisplayPassTheCheck) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    for (const char* platform :
         {"offscreen", "minimal", "xcb;offscreen", "offscreen:size=800x600"}) {
        setenv("QT_QPA_PLATFORM", platform, 1);
        EXPECT_EQ(DisplayProblem(), "") << platform;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1); // as the tests run
}

TEST(DisplayCheckTest, WithoutADisplayAnUnhandledExceptionIsWrittenToStderrOnly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("QT_QPA_PLATFORM");
            unsetenv("WAYLAND_DISPLAY");
            unsetenv("DISPLAY");
            RuntimeUnhandledException(std::make_exception_ptr(NilObjectException()));
            std::exit(0);
        },
        testing::ExitedWithCode(0), "NilObjectException");
}

namespace {
// Quitting asked for from outside: the signals of a logout, a shutdown, a closed terminal
// or Ctrl+C, and the session manager's quit event, take the quit item's road.
class QuitRequestTest : public QuitTest {
  protected:
    // Runs the loop with the window shown; `request` runs inside a later handler.
    void RunAndRequest(std::function<void()> request) {
        Quit(7); // outside the loop: only the code is kept, so a 0 comes from the road out
        app->on_open = [this, request = std::move(request)] {
            window->Show();
            Later([this, request] {
                request();
                events.push_back("handler end");
            });
        };
        RuntimeRun();
    }
};

class QuitSignalTest : public QuitRequestTest, public testing::WithParamInterface<int> {
  protected:
    // A signal the test runner inherited as ignored (nohup, a shell's background job) would
    // stay ignored by design; these cases are about one the program may take.
    void SetUp() override {
        QuitRequestTest::SetUp();
        struct sigaction taken {};
        taken.sa_handler = SIG_DFL;
        sigaction(GetParam(), &taken, &before_);
    }
    void TearDown() override {
        sigaction(GetParam(), &before_, nullptr);
        QuitRequestTest::TearDown();
    }

  private:
    struct sigaction before_ {};
};
} // namespace

TEST_P(QuitSignalTest, TheSignalClosesTheWindowOnceAfterTheHandlerAndExits0) {
    RunAndRequest([] { kill(getpid(), GetParam()); });
    EXPECT_EQ(events, (std::vector<std::string>{"handler end", "close"}));
    EXPECT_TRUE(window->IsClosed());
    EXPECT_EQ(RuntimeExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignalTest, testing::Values(SIGTERM, SIGHUP, SIGINT),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

TEST_F(QuitRequestTest, ASecondSignalWhileQuittingClosesNothingTwice) {
    RunAndRequest([] {
        kill(getpid(), SIGTERM);
        kill(getpid(), SIGHUP);
    });
    EXPECT_EQ(events, (std::vector<std::string>{"handler end", "close"}));
    EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(QuitRequestTest, TheSessionManagersQuitEventTakesTheSameRoad) {
    // What Qt sends the application when the session manager ends the session.
    RunAndRequest([] {
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(QApplication::instance(), &quit);
    });
    EXPECT_EQ(events, (std::vector<std::string>{"handler end", "close"}));
    EXPECT_EQ(RuntimeExit(), 0);
}

namespace {
class IgnoredHangUpTest : public QuitRequestTest {
  protected:
    // As nohup leaves SIGHUP, and a shell its background job's SIGINT.
    void SetUp() override {
        QuitRequestTest::SetUp();
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGHUP, &ignore, &before_);
    }
    void TearDown() override {
        sigaction(SIGHUP, &before_, nullptr);
        QuitRequestTest::TearDown();
    }

  private:
    struct sigaction before_ {};
};
} // namespace

TEST_F(IgnoredHangUpTest, ASignalIgnoredWhenTheProgramStartedStaysIgnored) {
    RunAndRequest([] { Quit(0); });
    struct sigaction hup {};
    sigaction(SIGHUP, nullptr, &hup);
    EXPECT_EQ(hup.sa_handler, SIG_IGN);
    struct sigaction term {};
    sigaction(SIGTERM, nullptr, &term);
    EXPECT_NE(term.sa_handler, SIG_DFL) << "the others are taken";
}

// The event loop, the quit road and the last-resort exception handler.
#include "shell/framework/gui/event_loop.h"

#include "shell/framework/core/msg_box.h"
#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/application.h"
#include "shell/framework/gui/display_check.h"
#include "shell/framework/gui/platform_choice.h"
#include "shell/framework/gui/qt_message_box.h"
#include "shell/framework/gui/quit_requests.h"
#include "shell/framework/gui/window.h"
#include "shell/framework/gui/window_host.h"
#include "shell/framework/media/sound.h"

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
struct LoopState {
    bool running = false;
    bool quit_posted = false;
    int loop_level = 0; // the thread's loop level inside RuntimeRun's loop
};

LoopState& State() {
    static LoopState state;
    return state;
}

// The application object the framework made (tests bring their own).
QApplication* own_application = nullptr;

void CreateApplication() {
    // Qt keeps argc and argv for the application's lifetime. A platform the framework picks
    // is passed as Qt's own option, so that no child process inherits it.
    static std::string platform;
    static char platform_option[] = "-platform";
    static int argc;
    static char* argv[4];
    platform = ChosenPlatform();
    argc = platform.empty() ? 1 : 3;
    argv[0] = program_invocation_name;
    argv[1] = platform.empty() ? nullptr : platform_option;
    argv[2] = platform.empty() ? nullptr : platform.data();
    argv[3] = nullptr;
    own_application = new QApplication(argc, argv);
    InstallQtMessageBoxPresenter();
}

// In order, while Qt still stands: the windows, the sounds with the audio connection,
// then the application object. Nothing is left for the process's exit to tear down.
void ReleaseApplication() {
    ReleaseImplicitWindows();
    CloseAudioOutput();
    SetRealMessageBoxPresenter(nullptr); // its boxes need the application
    delete own_application;
    own_application = nullptr;
}

// Runs once the current handler has ended: a posted event can also be delivered by the
// nested loop of a modal message box, which belongs to a handler still running.
void FinishQuit() {
    if (QThread::currentThread()->loopLevel() > State().loop_level) {
        // Looked at again shortly: a box waits for its user, rarely for long.
        QTimer::singleShot(50, QApplication::instance(), FinishQuit);
        return;
    }
    // Closing runs each window's Close event once; a Quit made there only records its code.
    std::vector<std::weak_ptr<Object>> open;
    for (auto* host : AllWindowHosts())
        if (host->isVisible()) open.push_back(host->Owner().weak_from_this());
    for (const auto& object : open)
        if (auto window = RuntimeCheckCast<Window>(object.lock())) window->Close();
    QCoreApplication::exit(0);
}

void RaiseApplicationOpen() {
    auto app = RuntimeCheckCast<Application>(getAppObject());
    if (app && app->on_open) RuntimeDispatch(app->on_open);
}

void PostQuit() {
    auto& state = State();
    if (!state.running || state.quit_posted) return;
    state.quit_posted = true;
    QTimer::singleShot(0, QApplication::instance(), FinishQuit);
}
} // namespace

void RuntimeRun() {
    if (!QApplication::instance()) {
        const std::string problem = DisplayProblem();
        if (!problem.empty()) {
            std::fprintf(stderr, "Dorvane2: no display: %s\n", problem.c_str());
            std::exit(1);
        }
        CreateApplication();
    }
    InstallQuitRequests();
    auto& state = State();
    QApplication::setQuitOnLastWindowClosed(false);
    state.running = true;
    state.quit_posted = false;
    state.loop_level = QThread::currentThread()->loopLevel() + 1;
    RuntimeSetQuitHandler(PostQuit);
    QTimer::singleShot(0, QApplication::instance(), RaiseApplicationOpen);
    QApplication::exec();
    state.running = false;
    ReleaseApplication();
}

void RuntimeUnhandledException(const std::exception_ptr& exception) {
    if (!exception) return;
    // Escaped from start-up, before the loop made the application: the box needs one,
    // released again once the box is closed.
    const bool made_here = !QApplication::instance() && DisplayProblem().empty();
    if (made_here) CreateApplication();
    RuntimeDispatch([&exception] { std::rethrow_exception(exception); });
    if (made_here) ReleaseApplication();
}

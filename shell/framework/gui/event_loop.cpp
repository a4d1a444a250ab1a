// The event loop, the quit road and the last-resort exception handler.
#include "shell/framework/gui/event_loop.h"

#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/application.h"
#include "shell/framework/gui/display_check.h"
#include "shell/framework/gui/qt_message_box.h"
#include "shell/framework/gui/quit_requests.h"
#include "shell/framework/gui/window.h"
#include "shell/framework/gui/window_host.h"

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

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

// Kept to the end of the process: windows and other Qt objects may outlive the loop.
void CreateApplication() {
    static int argc = 1;
    static char* argv[] = {program_invocation_name, nullptr};
    new QApplication(argc, argv);
    InstallQtMessageBoxPresenter();
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
    // Windows are destroyed while Qt still stands: at static destruction it is gone.
    ReleaseImplicitWindows();
}

void RuntimeUnhandledException(const std::exception_ptr& exception) {
    if (!exception) return;
    // Escaped from start-up, before the loop made the application: the box needs one.
    if (!QApplication::instance() && DisplayProblem().empty()) CreateApplication();
    RuntimeDispatch([&exception] { std::rethrow_exception(exception); });
}

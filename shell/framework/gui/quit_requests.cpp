#include "shell/framework/gui/quit_requests.h"

#include "shell/framework/core/runtime.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace {
// Written by the signal handler, read on the UI thread: a handler may do no more than that.
int wake_pipe[2] = {-1, -1};

void WakeUp(int) {
    const int saved = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t ignored = ::write(wake_pipe[1], &byte, 1); // full: awake
    errno = saved;
}

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

struct Installed {
    QPointer<QObject> application, notifier, filter;
    bool signals_taken = false;
    // Per signal: whether it was taken, and what it did before.
    bool taken[std::size(kSignals)] = {};
    struct sigaction previous[std::size(kSignals)] = {};
};

Installed& State() {
    static Installed installed;
    return installed;
}

void TakeSignals() {
    auto& state = State();
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        // One the parent ignored stays ignored, as nohup and a shell's background jobs expect.
        struct sigaction& previous = state.previous[i];
        if (::sigaction(kSignals[i], nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = WakeUp;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        state.taken[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
    state.signals_taken = true;
}

void Drain() {
    char bytes[64];
    while (::read(wake_pipe[0], bytes, sizeof bytes) > 0) {
    }
}

// Qt sends the application a quit event when the session manager ends the session. Its
// own handling would close every window at once, message boxes included, while the
// handler that was running has not ended.
class QuitEventFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit ||
            QThread::currentThread()->loopLevel() == 0)
            return false;
        Quit(0);
        return true;
    }
};
} // namespace

void InstallQuitRequests() {
    auto* application = QCoreApplication::instance();
    auto& state = State();
    // Qt's objects go with the application; the pipe and the handlers stay.
    if (!application || state.application == application) return;
    if (wake_pipe[0] < 0 && ::pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    if (!state.signals_taken) TakeSignals();
    auto* notifier = new QSocketNotifier(wake_pipe[0], QSocketNotifier::Read, application);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        Drain();
        Quit(0);
    });
    state.filter = new QuitEventFilter(application);
    application->installEventFilter(state.filter);
    state.notifier = notifier;
    state.application = application;
}

void ForgetQuitRequestsForTesting() {
    auto& state = State();
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        if (state.taken[i]) ::sigaction(kSignals[i], &state.previous[i], nullptr);
    delete state.notifier;
    delete state.filter;
    if (wake_pipe[0] >= 0) Drain();
    state = Installed{};
}

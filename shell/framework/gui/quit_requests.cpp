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

void TakeSignal(int number) {
    struct sigaction current {};
    // One the parent ignored stays ignored, as nohup and a shell's background jobs expect.
    if (::sigaction(number, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) return;
    struct sigaction action {};
    action.sa_handler = WakeUp;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(number, &action, nullptr);
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
    // Qt's objects go with the application; the pipe and the handlers stay.
    static QPointer<QObject> installed_on;
    if (!application || installed_on == application) return;
    if (wake_pipe[0] < 0) {
        if (::pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
        for (int number : {SIGTERM, SIGHUP, SIGINT})
            TakeSignal(number);
    }
    auto* notifier = new QSocketNotifier(wake_pipe[0], QSocketNotifier::Read, application);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        Drain();
        Quit(0);
    });
    application->installEventFilter(new QuitEventFilter(application));
    installed_on = application;
}

// The production waker: one precise single-shot QTimer, armed for the earliest due timer
// and re-armed whenever that changes. Nothing ticks while nothing is due.
#include "shell/framework/core/clock.h"
#include "shell/framework/core/timer_queue.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace {
bool SystemClockInstalled() {
    return dynamic_cast<SystemClock*>(&CurrentClock()) != nullptr;
}

void Arm() {
    // Without an application there is no event loop to wake; qAddPreRoutine calls again.
    if (!QCoreApplication::instance() || !SystemClockInstalled()) return;
    static QTimer* timer = [] {
        auto* created = new QTimer(); // lives for the whole run, on the UI thread
        created->setSingleShot(true);
        created->setTimerType(Qt::PreciseTimer);
        QObject::connect(created, &QTimer::timeout,
                         [] { TimerQueue::Instance().RunDue(CurrentClock().MonotonicMs()); });
        return created;
    }();
    const int64_t due_ms = TimerQueue::Instance().NextDueMs();
    if (due_ms < 0) {
        timer->stop();
        return;
    }
    const int64_t wait_ms = due_ms - CurrentClock().MonotonicMs();
    timer->start(static_cast<int>(std::clamp<int64_t>(wait_ms, 0, INT_MAX)));
}
} // namespace

void InstallTimerQueueWaker() {
    static bool installed = false;
    if (installed || !SystemClockInstalled()) return;
    installed = true;
    TimerQueue::Instance().SetWaker(Arm);
    // Arms now if the application exists, else as soon as it is constructed.
    qAddPreRoutine(Arm);
}

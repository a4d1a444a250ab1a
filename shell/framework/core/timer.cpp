#include "shell/framework/core/timer.h"

#include "shell/framework/core/clock.h"
#include "shell/framework/core/runtime.h"
#include "shell/framework/core/timer_queue.h"

#include <algorithm>
#include <utility>

namespace {
int64_t firing_due_ms = -1;

void ScheduleAfterPeriod(Timer& timer, int64_t from_ms) {
    TimerQueue::Instance().Schedule(timer, from_ms + std::max(timer.Period(), 1));
}
} // namespace

Timer::~Timer() {
    TimerQueue::Instance().Cancel(*this);
}

void Timer::SetPeriod(int32_t period_ms) {
    if (period_ms == period_ms_) return;
    period_ms_ = period_ms;
    if (mode_ != 0) ScheduleAfterPeriod(*this, CurrentClock().MonotonicMs());
}

void Timer::SetMode(int32_t mode) {
    if (mode < 0 || mode > 2) return;
    mode_ = mode;
    // Setting a running mode again restarts the count, as the first setting does.
    if (mode_ == 0) {
        TimerQueue::Instance().Cancel(*this);
    } else {
        ScheduleAfterPeriod(*this, CurrentClock().MonotonicMs());
    }
}

void Timer::SetProperty(const std::string& name, const PropertyValue& value) {
    if (name == "Period") {
        SetPeriod(AsInt32(name, value));
    } else if (name == "Mode") {
        SetMode(AsInt32(name, value));
    } else {
        Control::SetProperty(name, value);
    }
}

void Timer::Fire(int64_t due_ms) {
    if (mode_ == 0) return;
    // The next beat is settled before the Action, so that the Action can change it.
    if (mode_ == 1) {
        mode_ = 0;
    } else {
        const int64_t period_ms = std::max(period_ms_, 1);
        const int64_t now_ms = CurrentClock().MonotonicMs();
        // Late by a whole period (a suspended machine): skip the missed beats, no burst.
        const int64_t from_ms = now_ms - due_ms >= period_ms ? now_ms : due_ms;
        TimerQueue::Instance().Schedule(*this, from_ms + period_ms);
    }
    // The Action may release the timer's window and with it the timer.
    const auto keep_alive = weak_from_this().lock();
    const int64_t outer_due_ms = std::exchange(firing_due_ms, due_ms);
    if (on_action) RuntimeDispatch([this] { on_action(*this); });
    firing_due_ms = outer_due_ms;
}

int64_t Timer::FiringDueMs() {
    return firing_due_ms;
}

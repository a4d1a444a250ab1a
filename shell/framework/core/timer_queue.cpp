#include "shell/framework/core/timer_queue.h"

#include "shell/framework/core/timer.h"

#include <algorithm>

namespace {
// The entry that fires first: the earliest due time; of equal ones the first in the list,
// which Schedule keeps in scheduling order.
template <class Entries> auto Earliest(Entries& entries) {
    return std::min_element(entries.begin(), entries.end(),
                            [](const auto& a, const auto& b) { return a.due_ms < b.due_ms; });
}
} // namespace

TimerQueue& TimerQueue::Instance() {
    // Never destroyed: timers held by statics cancel themselves after main returns.
    static TimerQueue* queue = new TimerQueue();
    return *queue;
}

void TimerQueue::Schedule(Timer& timer, int64_t due_ms) {
    std::erase_if(entries_, [&](const Entry& entry) { return entry.timer == &timer; });
    entries_.push_back({&timer, due_ms});
    if (waker_) waker_();
}

void TimerQueue::Cancel(Timer& timer) {
    if (std::erase_if(entries_, [&](const Entry& entry) { return entry.timer == &timer; }) &&
        waker_)
        waker_();
}

void TimerQueue::RunDue(int64_t now_ms, const std::function<void(int64_t)>& set_now) {
    // One timer at a time, looked up afresh: a firing may schedule or cancel any timer.
    for (;;) {
        const auto earliest = Earliest(entries_);
        if (earliest == entries_.end() || earliest->due_ms > now_ms) break;
        const Entry entry = *earliest;
        entries_.erase(earliest);
        if (set_now) set_now(entry.due_ms);
        entry.timer->Fire(entry.due_ms);
    }
    if (waker_) waker_();
}

int64_t TimerQueue::NextDueMs() const {
    const auto earliest = Earliest(entries_);
    return earliest == entries_.end() ? -1 : earliest->due_ms;
}

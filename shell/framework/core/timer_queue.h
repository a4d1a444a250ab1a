#pragma once
// The framework's timer queue over the installed clock. In production one precise
// QTimer wakes it for the earliest due timer; in tests the manual clock runs it.

#include <cstdint>
#include <functional>
#include <vector>

class Timer;

class TimerQueue {
  public:
    static TimerQueue& Instance();

    // Schedules the timer at `due_ms`, replacing its earlier entry if it has one.
    void Schedule(Timer& timer, int64_t due_ms);
    void Cancel(Timer& timer);
    // Fires every timer due at or before `now_ms`, earliest first (ties in the order
    // they were scheduled); `set_now` is told each due time before its timer fires.
    // A timer scheduled or cancelled by a firing is respected within the same run.
    void RunDue(int64_t now_ms, const std::function<void(int64_t)>& set_now = {});
    // The earliest due time, or -1 when nothing is scheduled.
    int64_t NextDueMs() const;
    // Called whenever the earliest due time may have changed (the production waker).
    void SetWaker(std::function<void()> waker) { waker_ = std::move(waker); }

  private:
    struct Entry {
        Timer* timer;
        int64_t due_ms;
    };
    std::vector<Entry> entries_; // in scheduling order
    std::function<void()> waker_;
};

// Wakes the queue with one precise QTimer on the UI thread's event loop, whenever the
// earliest due time changes. RuntimeInit installs it; with a manual clock installed it
// does nothing (tests run the queue themselves).
void InstallTimerQueueWaker();

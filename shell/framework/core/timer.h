#pragma once
// Timer: Mode 0 off, 1 one Action then off, 2 repeating every Period without drift.
// The first Action comes one period after the mode is set; a new Period on a running
// timer counts from the change. Other modes are ignored; a period below 1 ms runs as 1 ms.

#include "shell/framework/core/control.h"

#include <cstdint>
#include <functional>

class Timer : public Control {
  public:
    Timer() = default;
    ~Timer() override;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int32_t Period() const { return period_ms_; }
    void SetPeriod(int32_t period_ms);
    int32_t Mode() const { return mode_; }
    void SetMode(int32_t mode);

    std::function<void(Timer&)> on_action;

    void SetProperty(const std::string& name, const PropertyValue& value) override;

    // Called by the timer queue when the timer is due.
    void Fire(int64_t due_ms);
    // The due time of the timer whose Action is running (the innermost one, should an
    // Action run a loop that fires another), or -1 outside every Action.
    static int64_t FiringDueMs();

  private:
    int32_t period_ms_ = 1000;
    int32_t mode_ = 0;
};

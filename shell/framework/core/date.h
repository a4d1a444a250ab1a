#pragma once
// A moment of local time; a new Date holds now, read from the installed clock.

#include "shell/framework/core/clock.h"
#include "shell/framework/core/object.h"

class Date : public Object {
  public:
    Date() : time_(CurrentClock().Now()) {}

    int32_t Year() const { return time_.year; }
    int32_t Month() const { return time_.month; }
    int32_t Day() const { return time_.day; }
    int32_t Hour() const { return time_.hour; }
    int32_t Minute() const { return time_.minute; }
    int32_t Second() const { return time_.second; }

  private:
    LocalTime time_;
};

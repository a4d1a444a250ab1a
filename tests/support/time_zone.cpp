#include "tests/support/time_zone.h"

#include <cstdlib>
#include <ctime>

TimeZoneSetting::TimeZoneSetting() {
    if (const char* tz = std::getenv("TZ")) saved_ = tz;
}

TimeZoneSetting::~TimeZoneSetting() {
    if (saved_) {
        Set(*saved_);
    } else {
        Unset();
    }
    tzset();
}

void TimeZoneSetting::Set(const std::string& tz) {
    setenv("TZ", tz.c_str(), 1);
}

void TimeZoneSetting::Unset() {
    unsetenv("TZ");
}

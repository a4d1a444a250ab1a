#pragma once
// TZ as a test sets it; the test listener puts the environment back after each case.
// Neither calls tzset: the clock must notice the change itself.

#include <cstdlib>
#include <string>

inline void SetTimeZone(const std::string& tz) {
    setenv("TZ", tz.c_str(), 1);
}

inline void UnsetTimeZone() {
    unsetenv("TZ");
}

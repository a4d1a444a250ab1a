#pragma once
// TZ as a test sets it, and as the process had it (set or unset) once the test ends.
// Setting it does not call tzset: the clock must notice the change itself.

#include <optional>
#include <string>

class TimeZoneSetting {
  public:
    TimeZoneSetting();
    ~TimeZoneSetting();
    TimeZoneSetting(const TimeZoneSetting&) = delete;
    TimeZoneSetting& operator=(const TimeZoneSetting&) = delete;

    void Set(const std::string& tz);
    void Unset();

  private:
    std::optional<std::string> saved_;
};

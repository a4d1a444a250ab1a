#pragma once
// The offscreen platform's screens, set as a desktop's monitors are: screens come and go
// while the program runs. What was there before comes back when the object goes.

#include <QJsonObject>
#include <QRect>
#include <vector>

class OffscreenScreens {
  public:
    OffscreenScreens();
    ~OffscreenScreens();
    OffscreenScreens(const OffscreenScreens&) = delete;
    OffscreenScreens& operator=(const OffscreenScreens&) = delete;

    // The first is the primary screen; it stays the same screen, only its size changes.
    void Set(const std::vector<QRect>& screens);

  private:
    QJsonObject saved_;
};

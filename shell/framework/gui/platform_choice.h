#pragma once
// Which of Qt's platforms the program runs on. Where the user has chosen none, X11 whenever
// an X display opens: on a Wayland desktop that is Xwayland, where the window opens at its
// saved place and can be brought to the front. What the user sets in QT_QPA_PLATFORM stands.

#include <string>

// The platform to ask Qt for, or empty to leave the choice to QT_QPA_PLATFORM and Qt.
// `chosen` is QT_QPA_PLATFORM's value, nullptr when it is unset.
std::string PlatformFor(const char* chosen, bool x_display_opens);
// The same for this process, from its environment and its X display.
std::string ChosenPlatform();

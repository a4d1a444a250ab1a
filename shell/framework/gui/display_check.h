#pragma once
// Whether Qt can open a window here. Without a display Qt would abort, whatever
// QT_QPA_PLATFORM chooses; the program says so in one line instead.

#include <string>

// Empty when one of the chosen platforms (X11 or Wayland when none is chosen) can open
// a window here; otherwise why none can.
std::string DisplayProblem();
// Whether the X display in DISPLAY can be opened.
bool XDisplayOpens();

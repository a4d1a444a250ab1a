#pragma once
// Whether Qt can open a window here. Without a display (and with no QT_QPA_PLATFORM
// chosen) Qt would abort; the program says so in one line instead.

#include <string>

// Empty when a platform is chosen or a display is reachable; otherwise why not.
std::string DisplayProblem();

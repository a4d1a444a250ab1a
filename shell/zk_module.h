#pragma once
// Module state and the bring-to-front operation that the ringing uses.

namespace zkModule {
// True from the start of the window's Close event; while True the window ignores keys.
extern bool f_windowcloseing;
// Runs the activation script with the executable's native path as its one parameter.
void SetApplicationToFront();
} // namespace zkModule

// Runs "zkActiveteDorvane2.scpt" from the package's Resources folder.
#include "shell/framework/core/variant.h"

#include <vector>
void zkActiveteDorvane2(const std::vector<Variant>& parameters);

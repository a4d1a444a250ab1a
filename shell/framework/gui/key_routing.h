#pragma once
// The window's key rules, installed once on the application: menu shortcuts, and Esc
// for an enabled cancel button, are taken first; every other key press anywhere in a
// window reaches the window's KeyDown before the focused control, and True from KeyDown
// consumes it. Modifier keys alone are not key presses.

void InstallKeyRouting();

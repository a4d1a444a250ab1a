#pragma once
// The window's key rules, installed once on the application: menu shortcuts are taken
// first; every other key press anywhere in a window, Escape included, reaches the
// window's KeyDown before the focused control, and True from KeyDown consumes it. As in
// Qt's main windows, no key presses a cancel or default button (only dialogs do that).
// Modifier keys alone are not key presses.

void InstallKeyRouting();

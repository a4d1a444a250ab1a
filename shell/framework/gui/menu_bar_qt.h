#pragma once
// The Qt side of menus that the key rules need.

class QKeyEvent;
class QWidget;

// When `event` is the shortcut of a menu item in `window`'s menu bar: brings the item's
// enabled state up to date and returns whether it can take the key now.
bool PrepareMenuShortcut(QWidget& window, const QKeyEvent& event);

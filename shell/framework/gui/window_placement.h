#pragma once
// Where a window is and where it goes: the content area's position, the centred place a
// new window opens at, and the rule that keeps a window's frame on a screen.

#include <QPoint>
#include <QRect>
#include <vector>

class WindowHost;

// The content area's position: the top-level's client geometry, which round-trips exactly
// through setGeometry (a move() would creep by the frame), plus the menu bar. A Wayland
// client is never told where its window is: there it is the position last asked for, so a
// saved place is written back as it was read.
QPoint ContentPosition(WindowHost& host);
void MoveContentTo(WindowHost& host, QPoint position);

// Where a window opens (every Placement code alike): centred on the screen's free area,
// as the platform would put it, but chosen before the first show, so that Top and Left
// mean that place already in Open and either can be set alone.
void PlaceCentred(WindowHost& host);

// Qt's restoreGeometry rule: a window whose frame is not wholly inside the free area of a
// screen moves the least distance that puts it wholly inside the free area of the screen
// it overlaps most, or of the nearest one when it overlaps none. A place saved on a
// monitor that is gone never hides the alarm. On Wayland the compositor places windows.
void KeepOnScreen(WindowHost& host);

// The rule itself: where the frame's top-left corner goes among the screens' free areas.
// A frame larger than the area keeps its top-left corner (title bar and menu) inside.
QPoint FrameOnScreen(const QRect& frame, const std::vector<QRect>& areas);

#pragma once
// The frame the window manager puts around a top-level window, as it says itself. On X11
// it is asked before the window is first shown (_NET_REQUEST_FRAME_EXTENTS) and read from
// the window afterwards; elsewhere Qt's platform gives it. None where nobody says.

#include <QMargins>

class QWidget;

QMargins FrameExtents(QWidget& window);

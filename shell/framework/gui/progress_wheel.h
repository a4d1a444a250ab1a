#pragma once
// The spinning activity indicator of the appearance-controls plug-in. It spins only
// while it is visible on a window that is not minimised; it has only the common
// properties.

#include "shell/framework/gui/rect_control.h"

class ProgressWheel : public RectControl {
  protected:
    QWidget* CreateWidget(QWidget* parent) override;
};

#pragma once
// The up/down arrows of the appearance-controls plug-in: two arrow buttons that raise
// Up and Down, repeat while held, and never take the keyboard focus.

#include "shell/framework/gui/rect_control.h"

#include <functional>

class UpDownArrows : public RectControl {
  public:
    std::function<void(UpDownArrows&)> on_up;
    std::function<void(UpDownArrows&)> on_down;

    bool AcceptFocus() const;
    void SetAcceptFocus(bool accept);

    void SetProperty(const std::string& name, const PropertyValue& value) override;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
};

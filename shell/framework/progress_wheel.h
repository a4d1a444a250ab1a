#pragma once
// The spinning activity indicator of the appearance-controls plug-in. It spins only
// while it is visible on a window that is not minimised.

#include "shell/framework/rect_control.h"

class ProgressWheel : public RectControl {
public:
    void SetProperty(const std::string& name, const PropertyValue& value) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
};

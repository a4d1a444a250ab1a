#pragma once

#include "shell/framework/gui/rect_control.h"

#include <string>

class GroupBox : public RectControl {
  public:
    const std::string& Caption() const { return caption_; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;

  private:
    std::string caption_;
};

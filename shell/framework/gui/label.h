#pragma once

#include "shell/framework/core/property_list.h"
#include "shell/framework/gui/rect_control.h"

#include <string>

class Label : public RectControl {
  public:
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    Color TextColor() const { return text_color_; }
    void SetTextColor(Color color);
    // 0 left, 1 left, 2 centre, 3 right.
    int32_t TextAlign() const { return text_align_; }
    void SetTextAlign(int32_t align);
    bool Selectable() const { return selectable_; }
    bool Multiline() const { return multiline_; }

    void SetProperty(const std::string& name, const PropertyValue& value) override;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyToWidget() override;

  private:
    std::string text_;
    Color text_color_{0x000000};
    int32_t text_align_ = 0;
    bool selectable_ = false, multiline_ = false;
};

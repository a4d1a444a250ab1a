#pragma once

#include "shell/framework/core/property_list.h"
#include "shell/framework/gui/rect_control.h"

#include <functional>
#include <string>

class TextField : public RectControl {
  public:
    const std::string& Text() const;
    void SetText(const std::string& text);
    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool read_only);
    // 0 default (left), 1 left, 2 centre, 3 right.
    int32_t Alignment() const { return alignment_; }
    void SetAlignment(int32_t alignment);
    bool Border() const { return border_; }
    Color BackColor() const { return back_color_; }
    Color TextColor() const { return text_color_; }
    bool Password() const { return password_; }
    // The most characters the field takes; 0 for no limit.
    int32_t LimitText() const { return limit_text_; }
    const std::string& CueText() const { return cue_text_; }

    // Raised once after the window has created its controls.
    std::function<void(TextField&)> on_open;
    void RaiseOpen() override;

    void SetProperty(const std::string& name, const PropertyValue& value) override;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyToWidget() override;

  private:
    mutable std::string text_;
    bool read_only_ = false, border_ = true, password_ = false;
    int32_t alignment_ = 0, limit_text_ = 0;
    Color back_color_{0xFFFFFF}, text_color_{0x000000};
    std::string cue_text_;
};

#pragma once

#include "shell/framework/gui/rect_control.h"

#include <functional>
#include <string>

class PushButton : public RectControl {
  public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // Kept as given: in a main window no key presses a cancel button (see key_routing.h).
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel);
    bool Default() const { return default_; }

    // Raised when the user presses the button, only while it is enabled.
    std::function<void(PushButton&)> on_action;
    // Presses the button as a click would.
    void Push();

    void SetProperty(const std::string& name, const PropertyValue& value) override;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyToWidget() override;

  private:
    std::string caption_;
    bool cancel_ = false, default_ = false;
};

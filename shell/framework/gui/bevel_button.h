#pragma once
// The bevel button of the appearance-controls plug-in: a button with a pop-up menu of
// rows. This is the framework's glue; every member goes through the plug-in's entry.

#include "shell/framework/gui/rect_control.h"

#include <cstdint>
#include <functional>
#include <string>

class BevelButton : public RectControl {
  public:
    // Appends a menu row; rows are numbered from 0 in the order of the calls.
    void AddRow(const std::string& text);
    int32_t RowCount() const;
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // The chosen row, 0 at creation; only an existing row can be set, and setting it
    // from code raises no Action.
    int32_t MenuValue() const;
    void SetMenuValue(int32_t value);

    // Raised once before the window's Open.
    std::function<void(BevelButton&)> on_open;
    // Raised after the user chooses a row.
    std::function<void(BevelButton&)> on_action;
    void RaiseOpen() override;
    // Chooses a row as the user would (for tests and the pop-up menu).
    void ChooseRow(int32_t row);

    void SetProperty(const std::string& name, const PropertyValue& value) override;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyToWidget() override;
    // Through the plug-in's font entries, with the face this platform has for the name.
    void ApplyFont() override;

  private:
    // The module's widget, which holds the button's state; created on first use.
    void* PluginWidget() const;
    bool opened_ = false;
};

#pragma once
// A visual control: geometry, enabled and visible state, tab order, font and colours.
// Each subclass owns one Qt widget that lives in its window's content area.

#include "shell/framework/core/control.h"

#include <cstdint>
#include <string>

class QWidget;

class RectControl : public Control {
  public:
    ~RectControl() override;

    int32_t Left() const { return left_; }
    int32_t Top() const { return top_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    int32_t TabIndex() const { return tab_index_; }
    // False keeps the control out of the Tab key's round.
    bool TabStop() const { return tab_stop_; }
    const std::string& TextFont() const { return text_font_; }
    double TextSize() const { return text_size_; }
    bool Bold() const { return bold_; }
    bool Italic() const { return italic_; }
    bool Underline() const { return underline_; }

    // Handles the properties every visual control has, then the subclass's own.
    void SetProperty(const std::string& name, const PropertyValue& value) override;
    // The whole list reaches the widget as one change.
    void SetProperties(const PropertyList& list) override;
    // The last value a property list gave `name` (also for properties Qt cannot show),
    // nullptr when none did.
    const PropertyValue* StoredProperty(const std::string& name) const;

    // The control's widget, created on first use.
    QWidget* NativeWidget();

  protected:
    // Creates the widget (parent: the window's content area, or none).
    virtual QWidget* CreateWidget(QWidget* parent) = 0;
    // Applies geometry, state and font to a freshly created or changed widget.
    virtual void ApplyToWidget();
    // The font part of ApplyToWidget: the widget's own font, from the font properties.
    virtual void ApplyFont();
    // ApplyToWidget when the widget exists (at the end, while a list is applied).
    void Refresh();
    // Keeps a property list's value for StoredProperty; SetProperty overrides call it for
    // the names they handle.
    void Remember(const std::string& name, const PropertyValue& value);
    QWidget* widget_ = nullptr;

  private:
    int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0, tab_index_ = 0;
    bool enabled_ = true, visible_ = true, tab_stop_ = true;
    bool bold_ = false, italic_ = false, underline_ = false;
    bool applying_list_ = false;
    std::string text_font_ = "System", help_tag_;
    double text_size_ = 0;
    PropertyList stored_;
};

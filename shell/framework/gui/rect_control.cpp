#include "shell/framework/gui/rect_control.h"

#include "shell/framework/gui/fonts.h"
#include "shell/framework/gui/property_table.h"

#include <QWidget>

RectControl::~RectControl() {
    delete widget_;
}

void RectControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    if (widget_) widget_->setEnabled(enabled);
}

void RectControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (widget_ && widget_->parentWidget()) widget_->setVisible(visible);
}

void RectControl::SetProperty(const std::string& name, const PropertyValue& value) {
    static const PropertyRow<RectControl> rows[] = {
        {"Left", [](RectControl& c, auto& n, auto& v) { c.left_ = AsInt32(n, v); }},
        {"Top", [](RectControl& c, auto& n, auto& v) { c.top_ = AsInt32(n, v); }},
        {"Width", [](RectControl& c, auto& n, auto& v) { c.width_ = AsInt32(n, v); }},
        {"Height", [](RectControl& c, auto& n, auto& v) { c.height_ = AsInt32(n, v); }},
        {"Enabled", [](RectControl& c, auto& n, auto& v) { c.enabled_ = AsBool(n, v); }},
        {"Visible", [](RectControl& c, auto& n, auto& v) { c.visible_ = AsBool(n, v); }},
        {"TabIndex", [](RectControl& c, auto& n, auto& v) { c.tab_index_ = AsInt32(n, v); }},
        {"TabStop", [](RectControl& c, auto& n, auto& v) { c.tab_stop_ = AsBool(n, v); }},
        {"TextFont", [](RectControl& c, auto& n, auto& v) { c.text_font_ = AsString(n, v); }},
        {"TextSize", [](RectControl& c, auto& n, auto& v) { c.text_size_ = AsDouble(n, v); }},
        {"Bold", [](RectControl& c, auto& n, auto& v) { c.bold_ = AsBool(n, v); }},
        {"Italic", [](RectControl& c, auto& n, auto& v) { c.italic_ = AsBool(n, v); }},
        {"Underline", [](RectControl& c, auto& n, auto& v) { c.underline_ = AsBool(n, v); }},
        {"HelpTag", [](RectControl& c, auto& n, auto& v) { c.help_tag_ = AsString(n, v); }},
        // Kept, not applied: sizes are pixels whatever the unit, controls keep their
        // place when a window resizes, and each is a direct child of the content area.
        {"TextUnit", KeepInt32<RectControl>},
        {"LockTop", KeepBool<RectControl>},
        {"LockLeft", KeepBool<RectControl>},
        {"LockBottom", KeepBool<RectControl>},
        {"LockRight", KeepBool<RectControl>},
        {"AutoDeactivate", KeepBool<RectControl>},
        {"TabPanelIndex", KeepInt32<RectControl>},
        {"Transparent", KeepBool<RectControl>},
        {"InitialParent", KeepString<RectControl>},
    };
    if (!ApplyPropertyRow(rows, *this, name, value)) return Control::SetProperty(name, value);
    Remember(name, value);
    Refresh();
}

const PropertyValue* RectControl::StoredProperty(const std::string& name) const {
    return FindPropertyValue(stored_, name);
}

QWidget* RectControl::NativeWidget() {
    if (widget_) return widget_;
    // Window::AddControl puts it in the content area: the window knows its controls,
    // never the other way round.
    widget_ = CreateWidget(nullptr);
    // The window may delete its widgets first; the control then holds none.
    QObject::connect(widget_, &QObject::destroyed, [this] { widget_ = nullptr; });
    ApplyToWidget();
    return widget_;
}

void RectControl::ApplyToWidget() {
    widget_->setGeometry(left_, top_, width_, height_);
    widget_->setEnabled(enabled_);
    // A widget without a parent would show as a window of its own.
    if (widget_->parentWidget()) widget_->setVisible(visible_);
    ApplyFont();
    widget_->setToolTip(QString::fromStdString(help_tag_));
    // Only ever taken away: a control that refuses the focus keeps refusing it.
    if (!tab_stop_)
        widget_->setFocusPolicy(Qt::FocusPolicy(widget_->focusPolicy() & ~Qt::TabFocus));
}

void RectControl::ApplyFont() {
    widget_->setFont(FontFor({text_font_, text_size_, bold_, italic_, underline_}));
}

void RectControl::SetProperties(const PropertyList& list) {
    // Each property would apply geometry, font and palette again: a text field's list has
    // thirty entries, and every re-application costs Qt's events and relayouts.
    applying_list_ = true;
    try {
        Control::SetProperties(list);
    } catch (...) {
        applying_list_ = false;
        Refresh(); // the entries before the faulty one still show
        throw;
    }
    applying_list_ = false;
    Refresh();
}

void RectControl::Refresh() {
    if (widget_ && !applying_list_) ApplyToWidget();
}

void RectControl::Remember(const std::string& name, const PropertyValue& value) {
    StorePropertyValue(stored_, name, value);
}

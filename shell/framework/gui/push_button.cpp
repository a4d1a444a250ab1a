#include "shell/framework/gui/push_button.h"

#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/property_table.h"
#include "shell/framework/gui/qt_values.h"

#include <QPushButton>

void PushButton::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    if (widget_) static_cast<QPushButton*>(widget_)->setText(ToCaption(caption_));
}

void PushButton::SetCancel(bool cancel) {
    cancel_ = cancel;
}

void PushButton::Push() {
    if (!Enabled()) return;
    // The handler may close the window and with it drop the last reference to us.
    auto keep = weak_from_this().lock();
    RuntimeDispatch([this] {
        if (on_action) on_action(*this);
    });
}

void PushButton::SetProperty(const std::string& name, const PropertyValue& value) {
    static const PropertyRow<PushButton> rows[] = {
        {"Caption", [](PushButton& b, auto& n, auto& v) { b.SetCaption(AsString(n, v)); }},
        {"Cancel", [](PushButton& b, auto& n, auto& v) { b.SetCancel(AsBool(n, v)); }},
        {"Default", [](PushButton& b, auto& n, auto& v) { b.default_ = AsBool(n, v); }},
        // One look for every style code: the platform's push button.
        {"ButtonStyle", KeepInt32<PushButton>},
    };
    if (!ApplyPropertyRow(rows, *this, name, value)) return RectControl::SetProperty(name, value);
    Remember(name, value);
    Refresh();
}

QWidget* PushButton::CreateWidget(QWidget* parent) {
    auto* button = new QPushButton(ToCaption(caption_), parent);
    button->setAutoDefault(false);
    // As on the desktop this program comes from, a button never holds the keyboard
    // focus: a Space meant as "any key" must not also press the button last clicked.
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QPushButton::clicked, [this] { Push(); });
    return button;
}

void PushButton::ApplyToWidget() {
    RectControl::ApplyToWidget();
    static_cast<QPushButton*>(widget_)->setDefault(default_);
}

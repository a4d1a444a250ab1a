#include "shell/framework/gui/label.h"

#include "shell/framework/gui/property_table.h"
#include "shell/framework/gui/qt_values.h"

#include <QLabel>

void Label::SetText(const std::string& text) {
    if (text_ == text) return;
    text_ = text;
    if (widget_) static_cast<QLabel*>(widget_)->setText(ToQString(text_));
}

void Label::SetTextColor(Color color) {
    if (text_color_ == color) return;
    text_color_ = color;
    if (widget_) SetPaletteColor(*widget_, QPalette::WindowText, text_color_);
}

void Label::SetTextAlign(int32_t align) {
    if (text_align_ == align) return;
    text_align_ = align;
    Refresh();
}

void Label::SetProperty(const std::string& name, const PropertyValue& value) {
    static const PropertyRow<Label> rows[] = {
        {"Text", [](Label& l, auto& n, auto& v) { l.SetText(AsString(n, v)); }},
        {"TextColor", [](Label& l, auto& n, auto& v) { l.SetTextColor(AsColor(n, v)); }},
        {"TextAlign", [](Label& l, auto& n, auto& v) { l.text_align_ = AsInt32(n, v); }},
        {"Selectable", [](Label& l, auto& n, auto& v) { l.selectable_ = AsBool(n, v); }},
        {"Multiline", [](Label& l, auto& n, auto& v) { l.multiline_ = AsBool(n, v); }},
        // No data binding on this platform.
        {"DataField", KeepString<Label>},
        {"DataSource", KeepString<Label>},
    };
    if (!ApplyPropertyRow(rows, *this, name, value)) return RectControl::SetProperty(name, value);
    Remember(name, value);
    Refresh();
}

QWidget* Label::CreateWidget(QWidget* parent) {
    // Plain text: a "<" in the text is shown, never read as markup. The label paints
    // no background, so a control it overlaps stays readable beneath it.
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQString(text_));
    return label;
}

void Label::ApplyToWidget() {
    RectControl::ApplyToWidget();
    auto* label = static_cast<QLabel*>(widget_);
    const Qt::Alignment vertical = multiline_ ? Qt::AlignTop : Qt::AlignVCenter;
    label->setAlignment(HorizontalAlignment(text_align_) | vertical);
    label->setWordWrap(multiline_);
    label->setTextInteractionFlags(selectable_ ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    SetPaletteColor(*label, QPalette::WindowText, text_color_);
}

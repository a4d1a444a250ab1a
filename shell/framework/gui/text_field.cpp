#include "shell/framework/gui/text_field.h"

#include "shell/framework/gui/property_table.h"
#include "shell/framework/gui/qt_values.h"

#include <QLineEdit>
#include <limits>

namespace {
// No limit is no limit: Qt's default of 32767 characters would cut a longer text.
int MaxLength(int32_t limit_text) {
    return limit_text > 0 ? limit_text : std::numeric_limits<int>::max();
}
} // namespace

const std::string& TextField::Text() const {
    if (widget_) text_ = static_cast<QLineEdit*>(widget_)->text().toStdString();
    return text_;
}

void TextField::SetText(const std::string& text) {
    text_ = text;
    if (!widget_) return;
    auto* field = static_cast<QLineEdit*>(widget_);
    const QString shown = ToQString(text_);
    if (field->text() != shown) field->setText(shown);
}

void TextField::SetReadOnly(bool read_only) {
    if (read_only_ == read_only) return;
    read_only_ = read_only;
    if (widget_) static_cast<QLineEdit*>(widget_)->setReadOnly(read_only_);
}

void TextField::SetAlignment(int32_t alignment) {
    if (alignment_ == alignment) return;
    alignment_ = alignment;
    Refresh();
}

void TextField::RaiseOpen() {
    if (on_open) on_open(*this);
}

void TextField::SetProperty(const std::string& name, const PropertyValue& value) {
    using F = TextField;
    static const PropertyRow<TextField> rows[] = {
        {"Text", [](F& f, auto& n, auto& v) { f.SetText(AsString(n, v)); }},
        {"ReadOnly", [](F& f, auto& n, auto& v) { f.read_only_ = AsBool(n, v); }},
        {"Alignment", [](F& f, auto& n, auto& v) { f.alignment_ = AsInt32(n, v); }},
        {"Border", [](F& f, auto& n, auto& v) { f.border_ = AsBool(n, v); }},
        {"BackColor", [](F& f, auto& n, auto& v) { f.back_color_ = AsColor(n, v); }},
        {"TextColor", [](F& f, auto& n, auto& v) { f.text_color_ = AsColor(n, v); }},
        {"Password", [](F& f, auto& n, auto& v) { f.password_ = AsBool(n, v); }},
        {"LimitText", [](F& f, auto& n, auto& v) { f.limit_text_ = AsInt32(n, v); }},
        {"CueText", [](F& f, auto& n, auto& v) { f.cue_text_ = AsString(n, v); }},
        // The focus ring is a macOS look; masks, formats, tabs in the text, spelling and
        // data binding are kept, not shown.
        {"UseFocusRing", KeepBool<F>},
        {"Mask", KeepString<F>},
        {"Format", KeepString<F>},
        {"AcceptTabs", KeepBool<F>},
        {"AutomaticallyCheckSpelling", KeepBool<F>},
        {"DataField", KeepString<F>},
        {"DataSource", KeepString<F>},
    };
    if (!ApplyPropertyRow(rows, *this, name, value)) return RectControl::SetProperty(name, value);
    Remember(name, value);
    Refresh();
}

QWidget* TextField::CreateWidget(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setMaxLength(MaxLength(limit_text_)); // before the text, which it would cut
    field->setText(ToQString(text_));
    field->setReadOnly(read_only_);
    return field;
}

void TextField::ApplyToWidget() {
    RectControl::ApplyToWidget();
    auto* field = static_cast<QLineEdit*>(widget_);
    field->setReadOnly(read_only_);
    // Without a border the text is a line on the window, drawn from the top of its box:
    // a label laid over the box's lower part (the hint over the clock line) then shares
    // no pixel row with it. In a border it is centred.
    const Qt::Alignment vertical = border_ ? Qt::AlignVCenter : Qt::AlignTop;
    field->setAlignment(HorizontalAlignment(alignment_) | vertical);
    field->setFrame(border_);
    field->setEchoMode(password_ ? QLineEdit::Password : QLineEdit::Normal);
    field->setMaxLength(MaxLength(limit_text_));
    field->setPlaceholderText(ToQString(cue_text_));
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, ToQColor(back_color_));
    palette.setColor(QPalette::Text, ToQColor(text_color_));
    field->setPalette(palette);
}

#include "shell/framework/gui/bevel_button.h"

#include "shell/framework/gui/fonts.h"
#include "shell/framework/gui/plugin.h"
#include "shell/framework/gui/plugin_glue.h"

namespace {
// The button's own properties, set through the plug-in. The common ones (geometry, state,
// locks, Transparent) are RectControl's; so are the font ones, which ApplyFont passes on
// through their entries.
constexpr PluginProperty kProperties[] = {
    {"HasMenu", PluginValue::Int32},      {"MenuValue", PluginValue::Int32},
    {"Value", PluginValue::Bool},         {"Caption", PluginValue::Text},
    {"CaptionAlign", PluginValue::Int32}, {"CaptionPlacement", PluginValue::Int32},
    {"CaptionDelta", PluginValue::Int32}, {"Bevel", PluginValue::Int32},
    {"ButtonType", PluginValue::Int32},   {"Icon", PluginValue::Text},
    {"IconAlign", PluginValue::Int32},    {"IconDX", PluginValue::Int32},
    {"IconDY", PluginValue::Int32},       {"TextColor", PluginValue::Color},
    {"HasBackColor", PluginValue::Bool},  {"BackColor", PluginValue::Color},
    {"AcceptFocus", PluginValue::Bool},
};

void BevelButtonEvent(void* context, int32_t event, int32_t) {
    auto& button = *static_cast<BevelButton*>(context);
    if (event == kAppearanceAction) RaisePluginEvent(button, button.on_action);
}
} // namespace

void* BevelButton::PluginWidget() const {
    return const_cast<BevelButton*>(this)->NativeWidget();
}

QWidget* BevelButton::CreateWidget(QWidget* parent) {
    return CreatePluginWidget("BevelButton", parent, &BevelButtonEvent, this);
}

void BevelButton::ApplyToWidget() {
    RectControl::ApplyToWidget();
    // AcceptFocus, not the common focus rule, decides whether the button takes focus.
    const auto accepts = PluginEntryAs<AppearanceGetBool>("BevelButton.AcceptFocus.Get");
    PluginEntryAs<AppearanceSetBool>("BevelButton.AcceptFocus.Set")(widget_, accepts(widget_));
}

void BevelButton::ApplyFont() {
    const auto* unit = StoredProperty("TextUnit");
    const std::pair<PluginProperty, PropertyValue> font[] = {
        {{"TextFont", PluginValue::Text}, FontFor({TextFont()}).family().toStdString()},
        {{"TextSize", PluginValue::Double}, TextSize()},
        {{"TextUnit", PluginValue::Int32}, unit ? *unit : PropertyValue(0)},
        {{"Bold", PluginValue::Bool}, Bold()},
        {{"Italic", PluginValue::Bool}, Italic()},
        {{"Underline", PluginValue::Bool}, Underline()},
    };
    for (const auto& [property, value] : font)
        SetPluginProperty(PluginWidget(), "BevelButton", property, value);
}

void BevelButton::AddRow(const std::string& text) {
    PluginEntryAs<AppearanceTextMethod>("BevelButton.AddRow(text As String)")(PluginWidget(),
                                                                              text.c_str());
}

int32_t BevelButton::RowCount() const {
    return PluginEntryAs<AppearanceIntFunction>("BevelButton.RowCount() As Integer")(
        PluginWidget());
}

std::string BevelButton::Caption() const {
    const auto get = PluginEntryAs<AppearanceGetText>("BevelButton.Caption.Get");
    void* widget = PluginWidget();
    return ReadPluginText(
        [&](char* buffer, std::size_t size) { return get(widget, buffer, size); });
}

void BevelButton::SetCaption(const std::string& caption) {
    PluginEntryAs<AppearanceSetText>("BevelButton.Caption.Set")(PluginWidget(), caption.c_str());
}

int32_t BevelButton::MenuValue() const {
    return PluginEntryAs<AppearanceGetInt>("BevelButton.MenuValue.Get")(PluginWidget());
}

void BevelButton::SetMenuValue(int32_t value) {
    PluginEntryAs<AppearanceSetInt>("BevelButton.MenuValue.Set")(PluginWidget(), value);
}

void BevelButton::RaiseOpen() {
    if (opened_) return;
    opened_ = true;
    RaisePluginEvent(*this, on_open);
}

void BevelButton::ChooseRow(int32_t row) {
    PluginEntryAs<AppearanceIntMethod>("BevelButton.ChooseRow(row As Integer)")(PluginWidget(),
                                                                                row);
}

void BevelButton::SetProperty(const std::string& name, const PropertyValue& value) {
    for (const auto& property : kProperties) {
        if (name != property.name) continue;
        SetPluginProperty(PluginWidget(), "BevelButton", property, value);
        return Remember(name, value);
    }
    RectControl::SetProperty(name, value);
}

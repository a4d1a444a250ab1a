#include "shell/framework/gui/up_down_arrows.h"

#include "shell/framework/gui/plugin.h"
#include "shell/framework/gui/plugin_glue.h"

namespace {
void UpDownArrowsEvent(void* context, int32_t event, int32_t) {
    auto& arrows = *static_cast<UpDownArrows*>(context);
    if (event == kAppearanceUp) RaisePluginEvent(arrows, arrows.on_up);
    if (event == kAppearanceDown) RaisePluginEvent(arrows, arrows.on_down);
}
} // namespace

QWidget* UpDownArrows::CreateWidget(QWidget* parent) {
    return CreatePluginWidget("UpDownArrows", parent, &UpDownArrowsEvent, this);
}

bool UpDownArrows::AcceptFocus() const {
    auto* widget = const_cast<UpDownArrows*>(this)->NativeWidget();
    return PluginEntryAs<AppearanceGetBool>("UpDownArrows.AcceptFocus.Get")(widget);
}

void UpDownArrows::SetAcceptFocus(bool accept) {
    PluginEntryAs<AppearanceSetBool>("UpDownArrows.AcceptFocus.Set")(NativeWidget(), accept);
}

void UpDownArrows::SetProperty(const std::string& name, const PropertyValue& value) {
    if (name != "AcceptFocus") return RectControl::SetProperty(name, value);
    SetAcceptFocus(AsBool(name, value));
    Remember(name, value);
}

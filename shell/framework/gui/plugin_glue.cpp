#include "shell/framework/gui/plugin_glue.h"

#include "shell/framework/core/exceptions.h"
#include "shell/framework/gui/plugin.h"

QWidget* CreatePluginWidget(const char* class_name, QWidget* parent,
                            AppearanceEventCallback callback, void* context) {
    const auto create = PluginEntryAs<AppearanceFactory>("_");
    void* widget = create(class_name, parent, callback, context);
    if (!widget) throw NilObjectException(std::string("plug-in class ") + class_name);
    return static_cast<QWidget*>(widget);
}

void SetPluginProperty(void* widget, const std::string& class_name, const PluginProperty& property,
                       const PropertyValue& value) {
    const std::string name = property.name;
    const std::string entry = class_name + "." + name + ".Set";
    switch (property.kind) {
    case PluginValue::Int32:
        return PluginEntryAs<AppearanceSetInt>(entry)(widget, AsInt32(name, value));
    case PluginValue::Bool:
        return PluginEntryAs<AppearanceSetBool>(entry)(widget, AsBool(name, value));
    case PluginValue::Double:
        return PluginEntryAs<AppearanceSetDouble>(entry)(widget, AsDouble(name, value));
    case PluginValue::Text:
        return PluginEntryAs<AppearanceSetText>(entry)(widget, AsString(name, value).c_str());
    case PluginValue::Color:
        return PluginEntryAs<AppearanceSetColor>(entry)(widget, AsColor(name, value).rgb);
    }
}

std::string ReadPluginText(const std::function<std::size_t(char*, std::size_t)>& fill) {
    char buffer[128];
    const std::size_t length = fill(buffer, sizeof buffer);
    if (length < sizeof buffer) return std::string(buffer, length);
    std::string text(length, '\0');
    fill(text.data(), length + 1);
    return text;
}

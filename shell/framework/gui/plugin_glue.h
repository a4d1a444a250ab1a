#pragma once
// What the glue of the plug-in's controls shares: the widget made by the module's
// factory, properties set through their entries, text read back, events dispatched.

#include "shell/appearance/appearance_abi.h"
#include "shell/framework/core/property_list.h"
#include "shell/framework/core/runtime.h"

#include <cstdint>
#include <functional>
#include <string>

class QWidget;

// The widget of a plug-in class; raises NilObjectException when the module has none.
QWidget* CreatePluginWidget(const char* class_name, QWidget* parent,
                            AppearanceEventCallback callback, void* context);

// How a property's value crosses to the module.
enum class PluginValue { Int32, Bool, Double, Text, Color };
struct PluginProperty {
    const char* name;
    PluginValue kind;
};
// Sets `name` through the entry "<class_name>.<name>.Set" with the value's type checked.
void SetPluginProperty(void* widget, const std::string& class_name, const PluginProperty& property,
                       const PropertyValue& value);

// Text that a module function writes into a buffer (see appearance_abi.h).
std::string ReadPluginText(const std::function<std::size_t(char*, std::size_t)>& fill);

// Runs an event's handler through the dispatcher; the control stays alive meanwhile.
template <class C> void RaisePluginEvent(C& control, const std::function<void(C&)>& handler) {
    if (!handler) return;
    const auto keep = control.weak_from_this().lock();
    const auto run = handler; // the handler may replace itself
    RuntimeDispatch([&] { run(control); });
}

#include "shell/framework/gui/progress_wheel.h"

#include "shell/framework/gui/plugin_glue.h"

QWidget* ProgressWheel::CreateWidget(QWidget* parent) {
    // The wheel raises no events.
    return CreatePluginWidget("ProgressWheel", parent, nullptr, this);
}

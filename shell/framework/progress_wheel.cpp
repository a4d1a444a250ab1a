#include "shell/framework/progress_wheel.h"

#include "shell/framework/plugin_glue.h"

QWidget* ProgressWheel::CreateWidget(QWidget* parent) {
    // The wheel raises no events.
    return CreatePluginWidget("ProgressWheel", parent, nullptr, this);
}

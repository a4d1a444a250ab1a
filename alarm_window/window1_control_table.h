#pragma once
// The window's 24 controls as data: class, stored property list and event bindings, in
// creation order.

#include "shell/framework/core/control.h"
#include "shell/framework/core/property_list.h"
#include "shell/framework/gui/window.h"

#include <memory>
#include <string>
#include <vector>

class Window1;

struct ControlRow {
    std::string name;
    // __New with the control's class.
    std::shared_ptr<Control> (*create)(Window& window);
    PropertyList properties;
    // Each binds one handler of the window to one event of the control named `name`.
    std::vector<void (*)(class Window1& window, const std::string& name)> bindings;
};

const std::vector<ControlRow>& Window1ControlTable();

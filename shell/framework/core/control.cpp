#include "shell/framework/core/control.h"

#include "shell/framework/core/exceptions.h"

void Control::SetProperties(const PropertyList& list) {
    for (const auto& [name, value] : list)
        SetProperty(name, value);
}

void Control::SetProperty(const std::string& name, const PropertyValue& value) {
    if (name == "Name") {
        SetName(AsString(name, value));
    } else if (name == "Index") {
        // Controls are found by name alone; the index is only checked for its type.
        AsInt32(name, value);
    } else {
        throw RuntimeException("unknown property " + name + " of control " + Name());
    }
}

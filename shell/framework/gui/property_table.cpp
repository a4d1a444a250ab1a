#include "shell/framework/gui/property_table.h"

void StorePropertyValue(PropertyList& stored, const std::string& name, const PropertyValue& value) {
    for (auto& entry : stored) {
        if (entry.first == name) {
            entry.second = value;
            return;
        }
    }
    stored.emplace_back(name, value);
}

const PropertyValue* FindPropertyValue(const PropertyList& stored, const std::string& name) {
    for (const auto& entry : stored)
        if (entry.first == name) return &entry.second;
    return nullptr;
}

#pragma once
// Property lists applied through tables: one row per property name, each row a plain
// function that reads the value with its type check and sets it on the object.

#include "shell/framework/core/property_list.h"

#include <string>

template <class T> struct PropertyRow {
    const char* name;
    void (*apply)(T& object, const std::string& name, const PropertyValue& value);
};

// Applies the row named `name`; false when the table has none.
template <class T, std::size_t N>
bool ApplyPropertyRow(const PropertyRow<T> (&rows)[N], T& object, const std::string& name,
                      const PropertyValue& value) {
    for (const auto& row : rows) {
        if (name == row.name) {
            row.apply(object, name, value);
            return true;
        }
    }
    return false;
}

// Rows for properties the platform has no use for: the type is checked, nothing is set.
template <class T> void KeepBool(T&, const std::string& name, const PropertyValue& value) {
    AsBool(name, value);
}
template <class T> void KeepInt32(T&, const std::string& name, const PropertyValue& value) {
    AsInt32(name, value);
}
template <class T> void KeepString(T&, const std::string& name, const PropertyValue& value) {
    AsString(name, value);
}

// Stores `value` under `name`, replacing an earlier value.
void StorePropertyValue(PropertyList& stored, const std::string& name, const PropertyValue& value);
// The stored value of `name`, nullptr when none was set.
const PropertyValue* FindPropertyValue(const PropertyList& stored, const std::string& name);

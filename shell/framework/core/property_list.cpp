#include "shell/framework/core/property_list.h"

#include "shell/framework/core/exceptions.h"

namespace {
template <class T> const T& As(const std::string& name, const PropertyValue& value) {
    if (auto* typed = std::get_if<T>(&value)) return *typed;
    throw RuntimeException("property " + name + " has a value of the wrong type");
}
} // namespace

int32_t AsInt32(const std::string& name, const PropertyValue& value) {
    return As<int32_t>(name, value);
}

double AsDouble(const std::string& name, const PropertyValue& value) {
    // Sizes are written either way in property lists.
    if (auto* whole = std::get_if<int32_t>(&value)) return *whole;
    return As<double>(name, value);
}

bool AsBool(const std::string& name, const PropertyValue& value) {
    return As<bool>(name, value);
}

const std::string& AsString(const std::string& name, const PropertyValue& value) {
    return As<std::string>(name, value);
}

Color AsColor(const std::string& name, const PropertyValue& value) {
    return As<Color>(name, value);
}

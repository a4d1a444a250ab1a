#pragma once
// Stored property lists: the initial values a window or control is built with.

#include <compare>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// A 24-bit RGB colour, written &hRRGGBB.
struct Color {
    uint32_t rgb = 0;
    auto operator<=>(const Color&) const = default;
};

using PropertyValue = std::variant<int32_t, double, bool, std::string, Color>;
using PropertyList = std::vector<std::pair<std::string, PropertyValue>>;

// Typed reads of a property value; a value of the wrong type raises RuntimeException
// naming the property.
int32_t AsInt32(const std::string& name, const PropertyValue& value);
double AsDouble(const std::string& name, const PropertyValue& value);
bool AsBool(const std::string& name, const PropertyValue& value);
const std::string& AsString(const std::string& name, const PropertyValue& value);
Color AsColor(const std::string& name, const PropertyValue& value);

#pragma once
// A value of any of the framework's plain types, as script parameters carry them.

#include <cstdint>
#include <string>
#include <variant>

using Variant = std::variant<std::monostate, int32_t, double, bool, std::string>;

// The value as text: "" for nil, numbers through Str, booleans "True"/"False".
std::string VariantToText(const Variant& value);

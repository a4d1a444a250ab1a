#include "shell/framework/core/variant.h"

#include "shell/framework/core/text.h"

std::string VariantToText(const Variant& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return ""; }
        std::string operator()(int32_t v) const { return Str(v); }
        std::string operator()(double v) const { return Str(v); }
        std::string operator()(bool v) const { return v ? "True" : "False"; }
        std::string operator()(const std::string& v) const { return v; }
    };
    return std::visit(Visitor{}, value);
}

// Every property entry of the module: what its setter stores, its getter gives back.
#include "shell/appearance/appearance_abi.h"
#include "tests/framework/gui/appearance_controls.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <type_traits>
#include <variant>

namespace {
using Value = std::variant<int32_t, bool, double, std::string, uint32_t>;

struct PropertyCase {
    const char* plugin_class;
    const char* property;
    Value value; // uint32_t: a colour
};

const PropertyCase kCases[] = {
    {"BevelButton", "HasMenu", int32_t{1}},
    {"BevelButton", "MenuValue", int32_t{2}},
    {"BevelButton", "Value", true},
    {"BevelButton", "Caption", std::string("ChuToy 音")},
    {"BevelButton", "CaptionAlign", int32_t{1}},
    {"BevelButton", "CaptionPlacement", int32_t{4}},
    {"BevelButton", "CaptionDelta", int32_t{5}},
    {"BevelButton", "Bevel", int32_t{2}},
    {"BevelButton", "ButtonType", int32_t{1}},
    {"BevelButton", "Icon", std::string("/nonexistent/icon.png")},
    {"BevelButton", "IconAlign", int32_t{3}},
    {"BevelButton", "IconDX", int32_t{2}},
    {"BevelButton", "IconDY", int32_t{-1}},
    {"BevelButton", "TextColor", uint32_t{0xFC6FCE}},
    {"BevelButton", "HasBackColor", true},
    {"BevelButton", "BackColor", uint32_t{0x8000FE}},
    {"BevelButton", "TextFont", std::string("Noto Sans CJK JP")},
    {"BevelButton", "TextSize", 13.0},
    {"BevelButton", "TextUnit", int32_t{1}},
    {"BevelButton", "Bold", true},
    {"BevelButton", "Italic", true},
    {"BevelButton", "Underline", true},
    {"BevelButton", "AcceptFocus", true},
    {"UpDownArrows", "AcceptFocus", true},
    {"DisclosureTriangle", "Facing", int32_t{1}},
    {"DisclosureTriangle", "Value", true},
    {"PopupArrow", "Facing", int32_t{3}},
    {"Placard", "Caption", std::string("札")},
    {"Placard", "Value", true},
    {"ImageWell", "Image", std::string("/nonexistent/well.png")},
};

void PrintTo(const PropertyCase& c, std::ostream* out) {
    *out << c.plugin_class << "." << c.property;
}

class PluginMembers : public PluginTest, public testing::WithParamInterface<PropertyCase> {};

// The entry types for a value's type.
template <class T> struct EntryTypes;
template <> struct EntryTypes<int32_t> {
    using Set = AppearanceSetInt;
    using Get = AppearanceGetInt;
};
template <> struct EntryTypes<bool> {
    using Set = AppearanceSetBool;
    using Get = AppearanceGetBool;
};
template <> struct EntryTypes<double> {
    using Set = AppearanceSetDouble;
    using Get = AppearanceGetDouble;
};
template <> struct EntryTypes<uint32_t> {
    using Set = AppearanceSetColor;
    using Get = AppearanceGetColor;
};

// Sets through the setter entry and reads back through the getter entry.
Value RoundTrip(void* widget, const std::string& name, const Value& value) {
    const std::string get = name + ".Get", set = name + ".Set";
    return std::visit(
        [&](const auto& v) -> Value {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>) {
                PluginEntryAs<AppearanceSetText>(set)(widget, v.c_str());
                char text[64];
                return std::string(
                    text, PluginEntryAs<AppearanceGetText>(get)(widget, text, sizeof text));
            } else {
                PluginEntryAs<typename EntryTypes<T>::Set>(set)(widget, v);
                return PluginEntryAs<typename EntryTypes<T>::Get>(get)(widget);
            }
        },
        value);
}

TEST_P(PluginMembers, GetterReturnsWhatTheSetterStored) {
    const auto& c = GetParam();
    auto* widget = static_cast<QWidget*>(
        PluginEntryAs<AppearanceFactory>("_")(c.plugin_class, nullptr, nullptr, nullptr));
    ASSERT_NE(widget, nullptr);
    // Rows to choose from, so that MenuValue can hold a row other than 0.
    if (std::string(c.plugin_class) == "BevelButton")
        for (const char* row : {"Glass", "Sosumi", "Submarine"})
            PluginEntryAs<AppearanceTextMethod>("BevelButton.AddRow(text As String)")(widget, row);
    EXPECT_EQ(RoundTrip(widget, std::string(c.plugin_class) + "." + c.property, c.value), c.value);
    delete widget;
}

INSTANTIATE_TEST_SUITE_P(EveryProperty, PluginMembers, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PropertyCase>& info) {
                             return std::string(info.param.plugin_class) + info.param.property;
                         });

TEST_F(PluginTest, TextLongerThanTheBufferIsCutAndItsLengthReported) {
    auto* widget = static_cast<QWidget*>(
        PluginEntryAs<AppearanceFactory>("_")("Placard", nullptr, nullptr, nullptr));
    PluginEntryAs<AppearanceSetText>("Placard.Caption.Set")(widget, "アラーム"); // 12 bytes
    char text[8] = "xxxxxxx";
    EXPECT_EQ(PluginEntryAs<AppearanceGetText>("Placard.Caption.Get")(widget, text, sizeof text),
              12u);
    EXPECT_STREQ(text, "アラ\xe3"); // 7 bytes and the terminator; the caller asks again
    EXPECT_EQ(PluginEntryAs<AppearanceGetText>("Placard.Caption.Get")(widget, nullptr, 0), 12u);
    delete widget;
}
} // namespace

// Loading the appearance-controls module and resolving its 70 entries.
#include "shell/appearance/appearance_abi.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/runtime.h"
#include "tests/framework/gui/appearance_controls.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {
// The bevel button's 23 properties, in table order.
const char* const kBevelButtonProperties[] = {
    "HasMenu",      "MenuValue", "Value",        "Caption",   "CaptionAlign", "CaptionPlacement",
    "CaptionDelta", "Bevel",     "ButtonType",   "Icon",      "IconAlign",    "IconDX",
    "IconDY",       "TextColor", "HasBackColor", "BackColor", "TextFont",     "TextSize",
    "TextUnit",     "Bold",      "Italic",       "Underline", "AcceptFocus"};

TEST(PluginEntries, NamesFollowTheTableOrder) {
    static_assert(std::size(kBevelButtonProperties) == 23);
    EXPECT_STREQ(kPluginEntryNames[0], "_");
    EXPECT_STREQ(kPluginEntryNames[1], "BevelButton.AddRow(text As String)");
    for (std::size_t i = 1; i <= 9; ++i)
        EXPECT_EQ(std::string(kPluginEntryNames[i]).rfind("BevelButton.", 0), 0u) << i;
    for (std::size_t p = 0; p < 23; ++p) {
        const std::string property = std::string("BevelButton.") + kBevelButtonProperties[p];
        EXPECT_EQ(kPluginEntryNames[10 + 2 * p], property + ".Get");
        EXPECT_EQ(kPluginEntryNames[11 + 2 * p], property + ".Set");
    }
    EXPECT_STREQ(kPluginEntryNames[56], "UpDownArrows.AcceptFocus.Get");
    EXPECT_STREQ(kPluginEntryNames[57], "UpDownArrows.AcceptFocus.Set");
    std::set<std::string> classes;
    for (std::size_t i = 58; i < 70; i += 2) {
        const std::string getter = kPluginEntryNames[i], setter = kPluginEntryNames[i + 1];
        ASSERT_EQ(getter.substr(getter.size() - 4), ".Get");
        EXPECT_EQ(setter, getter.substr(0, getter.size() - 4) + ".Set");
        classes.insert(getter.substr(0, getter.find('.')));
    }
    EXPECT_EQ(classes.size(), 4u);
    EXPECT_EQ(classes.count("BevelButton") + classes.count("UpDownArrows") +
                  classes.count("ProgressWheel"),
              0u);
}

TEST(PluginEntries, AllSeventyResolveInOrderAndAreDistinct) {
    LoadAppearanceControls();
    ASSERT_EQ(PluginEntrypointCount(), 70u);
    std::set<void*> entries;
    for (std::size_t i = 0; i < 70; ++i) {
        void* entry = PluginEntrypoints()[i];
        EXPECT_NE(entry, nullptr) << kPluginEntryNames[i];
        EXPECT_EQ(entry, RuntimeLookupPluginEntrypoint(kPluginEntryNames[i]));
        EXPECT_EQ(entry, PluginEntry(kPluginEntryNames[i]));
        entries.insert(entry);
    }
    EXPECT_EQ(entries.size(), 70u);
    ResolvePluginClasses(); // returns: nothing is missing
}

TEST(PluginEntries, UnknownNamesHaveNoEntry) {
    LoadAppearanceControls();
    EXPECT_EQ(RuntimeLookupPluginEntrypoint("BevelButton.Caption"), nullptr);
    EXPECT_EQ(RuntimeLookupPluginEntrypoint("bevelbutton.caption.get"), nullptr);
    EXPECT_EQ(RuntimeLookupPluginEntrypoint(""), nullptr);
    EXPECT_THROW(PluginEntry("BevelButton.Caption"), RuntimeException);
}

TEST(PluginEntries, AnEmptyEntryIsNil) {
    LoadAppearanceControls();
    RuntimeAllocatePluginEntrypointsTable(70);
    EXPECT_THROW(PluginEntry("BevelButton.AddRow(text As String)"), NilObjectException);
}

TEST(PluginEntriesDeathTest, MissingModuleEndsStartUp) {
    EXPECT_EXIT(RuntimeLoadPlugin("missing/AppearanceControls.so"), testing::ExitedWithCode(1),
                "^Dorvane2: cannot load missing/AppearanceControls\\.so: .*No such file");
}

TEST(PluginEntriesDeathTest, MissingEntryEndsStartUp) {
    EXPECT_EXIT(
        {
            LoadAppearanceControls();
            PluginEntrypoints()[5] = nullptr;
            ResolvePluginClasses();
        },
        testing::ExitedWithCode(1),
        "AppearanceControls\\.so has no member \"BevelButton\\.InsertRow\\(index As Integer, "
        "text As String\\)\"");
}

TEST(PluginEntriesDeathTest, UnfilledTableEndsStartUp) {
    EXPECT_EXIT(
        {
            RuntimeAllocatePluginEntrypointsTable(0);
            ResolvePluginClasses();
        },
        testing::ExitedWithCode(1), "has no member \"_\"");
}

TEST_F(PluginTest, FactoryMakesEachClassAndNoOther) {
    const auto create = PluginEntryAs<AppearanceFactory>("_");
    for (const char* name : {"BevelButton", "UpDownArrows", "ProgressWheel", "DisclosureTriangle",
                             "PopupArrow", "Placard", "ImageWell"}) {
        void* widget = create(name, nullptr, nullptr, nullptr);
        EXPECT_NE(widget, nullptr) << name;
        delete static_cast<QWidget*>(widget);
    }
    EXPECT_EQ(create("PushButton", nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(create(nullptr, nullptr, nullptr, nullptr), nullptr);
}
} // namespace

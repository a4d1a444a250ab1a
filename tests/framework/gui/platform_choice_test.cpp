// Which platform the program asks Qt for: X11 where the user chose none and an X display
// opens (on a Wayland desktop, Xwayland); otherwise the user's choice, or Qt's.
#include "shell/framework/gui/platform_choice.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {
struct ChoiceCase {
    const char* name;
    const char* chosen; // QT_QPA_PLATFORM; nullptr: unset
    bool x_display_opens;
    const char* expected; // "": Qt chooses, from QT_QPA_PLATFORM or by itself
};
void PrintTo(const ChoiceCase& c, std::ostream* os) {
    *os << c.name;
}

class PlatformForTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(PlatformForTest, NoChoiceWithAnXDisplayIsX11AndAnyChoiceOfTheUsersStands) {
    const auto& c = GetParam();
    EXPECT_EQ(PlatformFor(c.chosen, c.x_display_opens), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Environments, PlatformForTest,
                         testing::Values(ChoiceCase{"UnsetWithAnXDisplay", nullptr, true, "xcb"},
                                         ChoiceCase{"EmptyWithAnXDisplay", "", true, "xcb"},
                                         ChoiceCase{"UserChoseWayland", "wayland", true, ""},
                                         ChoiceCase{"UserChoseX11", "xcb", true, ""},
                                         ChoiceCase{"UserChoseAList", "wayland;xcb", true, ""},
                                         ChoiceCase{"UserChoseWaylandWithoutX", "wayland", false,
                                                    ""},
                                         ChoiceCase{"UnsetWithoutAnXDisplay", nullptr, false, ""},
                                         ChoiceCase{"EmptyWithoutAnXDisplay", "", false, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

// Sets an environment variable (nullptr: unsets it); the test listener puts the
// environment back after the case.
void SetVariable(const char* name, const char* value) {
    value ? setenv(name, value, 1) : unsetenv(name);
}

// This process's own environment, with X displays that cannot be opened: DISPLAY unset, or
// naming a display nobody serves.
TEST(ChosenPlatformTest, ReadsQtQpaPlatformAndTriesTheXDisplay) {
    for (const char* display : {static_cast<const char*>(nullptr), ":2147483"}) {
        SCOPED_TRACE(display ? display : "DISPLAY unset");
        SetVariable("DISPLAY", display);
        for (const char* chosen : {static_cast<const char*>(nullptr), "", "wayland"}) {
            SetVariable("QT_QPA_PLATFORM", chosen);
            EXPECT_EQ(ChosenPlatform(), "") << "QT_QPA_PLATFORM " << (chosen ? chosen : "unset");
        }
    }
}
} // namespace

// The rule that keeps a window's frame on a screen, on rectangles alone.
#include "shell/framework/gui/window_placement.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

namespace {
struct RuleCase {
    const char* name;
    QRect frame;
    std::vector<QRect> areas;
    QPoint expected; // where the frame's top-left corner goes
};
void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

class FrameOnScreenTest : public testing::TestWithParam<RuleCase> {};

TEST_P(FrameOnScreenTest, TheFrameMovesTheLeastDistanceOntoOneScreen) {
    const auto& c = GetParam();
    EXPECT_EQ(FrameOnScreen(c.frame, c.areas), c.expected);
}

// A 1024 x 768 screen with a 1280 x 1024 one to its right, and one to the left of the
// primary, at negative x. Frames are 285 x 206.
const QRect kFirst(0, 0, 1024, 768), kSecond(1024, 0, 1280, 1024), kLeft(-1280, 0, 1280, 1024);

INSTANTIATE_TEST_SUITE_P(
    Rectangles, FrameOnScreenTest,
    testing::Values(
        RuleCase{"WhollyInsideStays", {100, 100, 285, 206}, {kFirst}, {100, 100}},
        RuleCase{"TouchingEveryEdgeStays", {0, 0, 1024, 768}, {kFirst}, {0, 0}},
        RuleCase{"OnePixelOverTheRightEdge", {740, 100, 285, 206}, {kFirst}, {739, 100}},
        RuleCase{"AboveTheTopEdge", {100, -20, 285, 206}, {kFirst}, {100, 0}},
        RuleCase{"BeyondTheBottomRightCorner", {5000, 3000, 285, 206}, {kFirst}, {739, 562}},
        RuleCase{"AcrossTwoScreensGoesOntoTheOneItCoversMore",
                 {900, 100, 285, 206},
                 {kFirst, kSecond},
                 {1024, 100}},
        RuleCase{"EvenlyAcrossTwoGoesOntoTheFirstListed",
                 {1024 - 142, 100, 284, 206},
                 {kFirst, kSecond},
                 {1024 - 284, 100}},
        RuleCase{
            "OnNoScreenGoesOntoTheNearest", {600, 900, 285, 206}, {kFirst, kSecond}, {600, 562}},
        RuleCase{"LeftOfEveryScreen", {-3000, 100, 285, 206}, {kFirst, kLeft}, {-1280, 100}},
        // Larger than the screen: its top-left corner, the title bar and menu, stay on it.
        RuleCase{"LargerThanTheScreen", {-50, -50, 1100, 800}, {kFirst}, {0, 0}},
        RuleCase{"NoScreensLeaveItAlone", {5000, 3000, 285, 206}, {}, {5000, 3000}}),
    [](const auto& info) { return std::string(info.param.name); });
} // namespace

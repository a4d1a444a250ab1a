// The window always opens where the user can see it: a saved place beyond every screen is
// moved the least distance onto one, a place on a screen is kept to the pixel, and every
// ring shows the window on a screen.
#include "shell/framework/core/text.h"
#include "tests/alarm_window/window_fixture.h"
#include "tests/support/offscreen_screens.h"

#include <QWindow>
#include <optional>

namespace {
// A laptop's screen and a bigger monitor to its right.
const QRect kFirst(0, 0, 1024, 768), kSecond(1024, 0, 1280, 1024);

// Where an axis of the window ends up.
enum class Place {
    kSaved,       // as saved
    kFirstStart,  // its frame against the first screen's left or top edge
    kFirstEnd,    // against the first screen's right or bottom edge
    kSecondStart, // and so on for the second screen
    kSecondEnd,
};

class OnScreenTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        screens.emplace();
    }
    void TearDown() override {
        screens.reset();
        WindowTest::TearDown();
    }

    static std::string Settings(int32_t top, int32_t left) {
        return "h_data\n7\nm_data\n00\nh_timer\n\nm_timer\n\nsound_res\n0\nwindow_top\n" +
               Str(top) + "\nwindow_left\n" + Str(left);
    }
    // The window's frame on screen, as the platform draws it.
    QRect Frame() { return W().NativeWidget()->windowHandle()->frameGeometry(); }
    // Top or Left of the window for an expected place.
    int32_t At(Place place, bool top, int32_t saved) {
        if (place == Place::kSaved) return saved;
        const bool second = place == Place::kSecondStart || place == Place::kSecondEnd;
        const bool far = place == Place::kFirstEnd || place == Place::kSecondEnd;
        return AgainstEdge(W(), top, far, second ? kSecond : kFirst);
    }

    std::optional<OffscreenScreens> screens;
};

struct SavedPlaceCase {
    const char* name;
    int32_t top, left;
    bool second_screen; // whether the second screen is there
    Place expected_top, expected_left;
};
void PrintTo(const SavedPlaceCase& c, std::ostream* os) {
    *os << c.name;
}

class SavedPlaceTest : public OnScreenTest, public testing::WithParamInterface<SavedPlaceCase> {};

TEST_P(SavedPlaceTest, TheWindowOpensWhollyOnAScreenAndTheNextRunOpensThereAgain) {
    const auto& c = GetParam();
    if (c.second_screen)
        screens->Set({kFirst, kSecond});
    else
        screens->Set({kFirst});
    WriteSettings(Settings(c.top, c.left));
    Open(12, 0, 0);

    EXPECT_EQ(W().Top(), At(c.expected_top, true, c.top));
    EXPECT_EQ(W().Left(), At(c.expected_left, false, c.left));
    const QRect frame = Frame();
    EXPECT_TRUE(kFirst.contains(frame) || (c.second_screen && kSecond.contains(frame)))
        << "frame at " << frame.x() << "," << frame.y();

    // The close saves the place it opened at; the next run opens there, to the pixel.
    const int32_t top = W().Top(), left = W().Left();
    W().Close();
    EXPECT_EQ(ReadSettings(), Settings(top, left));
    auto next = std::make_shared<class Window1>();
    next->Show();
    EXPECT_EQ(next->Top(), top);
    EXPECT_EQ(next->Left(), left);
    next.reset();
    RegisterImplicitWindow("Window1.Window1", nullptr);
}

using enum Place;
// The window is 281 wide; "across" puts half of it beyond the right edge.
INSTANTIATE_TEST_SUITE_P(
    Places, SavedPlaceTest,
    testing::Values(
        SavedPlaceCase{"BeyondTheRightEdge", 300, 5000, false, kSaved, kFirstEnd},
        SavedPlaceCase{"BelowTheBottomEdge", 3000, 400, false, kFirstEnd, kSaved},
        SavedPlaceCase{"BeyondBoth", 3000, 5000, false, kFirstEnd, kFirstEnd},
        SavedPlaceCase{"AcrossTheRightEdgeByHalfTheWindow", 300, 1024 - 140, false, kSaved,
                       kFirstEnd},
        SavedPlaceCase{"WhollyOnTheScreen", 300, 400, false, kSaved, kSaved},
        SavedPlaceCase{"OnTheSecondScreenThatIsThere", 200, 1500, true, kSaved, kSaved},
        SavedPlaceCase{"OnTheSecondScreenThatIsGone", 200, 1500, false, kSaved, kFirstEnd},
        // The smallest accepted values put the title bar and the left border off the screen.
        SavedPlaceCase{"TopSixLeftZero", 6, 0, false, kFirstStart, kFirstStart},
        // Straddling two screens it goes onto the one that holds more of it.
        SavedPlaceCase{"MostlyOnTheSecondScreen", 300, 1024 - 100, true, kSaved, kSecondStart},
        SavedPlaceCase{"MostlyOnTheFirstScreen", 300, 1024 - 200, true, kSaved, kFirstEnd},
        // On no screen: onto the nearest one.
        SavedPlaceCase{"BelowTheFirstScreenNearerItThanTheSecond", 900, 600, true, kFirstEnd,
                       kSaved},
        SavedPlaceCase{"BelowBothScreens", 1500, 1500, true, kSecondEnd, kSaved}),
    [](const auto& info) { return std::string(info.param.name); });

struct OutOfSightCase {
    const char* name;
    void (*put_away)(OffscreenScreens& screens, QWidget& window);
    Place expected_left;
};
void PrintTo(const OutOfSightCase& c, std::ostream* os) {
    *os << c.name;
}

class RingShowsOnScreenTest : public OnScreenTest,
                              public testing::WithParamInterface<OutOfSightCase> {};

TEST_P(RingShowsOnScreenTest, EachRingShowsTheWindowOnAScreenAndLeavesItThere) {
    const auto& c = GetParam();
    screens->Set({kFirst, kSecond});
    WriteSettings(Settings(200, 1500));
    Open(6, 59, 50);
    ASSERT_EQ(W().Left(), 1500);
    c.put_away(*screens, *W().NativeWidget());

    Advance(11000); // the first ring
    ASSERT_TRUE(IsRinging());
    const int32_t left = At(c.expected_left, false, 1500);
    EXPECT_EQ(W().Left(), left);
    EXPECT_EQ(W().Top(), 200);
    Advance(3000); // three more rings leave it where it is
    EXPECT_EQ(W().Left(), left);
    EXPECT_EQ(W().Top(), 200);
}

INSTANTIATE_TEST_SUITE_P(Roads, RingShowsOnScreenTest,
                         testing::Values(OutOfSightCase{"StaysOnTheSecondScreen",
                                                        [](OffscreenScreens&, QWidget&) {}, kSaved},
                                         OutOfSightCase{"ItsScreenWasUnplugged",
                                                        [](OffscreenScreens& screens, QWidget&) {
                                                            screens.Set({kFirst});
                                                        },
                                                        kFirstEnd},
                                         OutOfSightCase{"DraggedHalfBeyondTheRightEdge",
                                                        [](OffscreenScreens&, QWidget& window) {
                                                            window.move(kSecond.right() - 140,
                                                                        window.y());
                                                        },
                                                        kSecondEnd}),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace

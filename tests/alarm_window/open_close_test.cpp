// The window's Open and Close: the seven settings loaded into the controls and saved back,
// the rules for the saved position and sound, and the roads where the file fails.
#include "shell/framework/core/text.h"
#include "tests/alarm_window/window_fixture.h"
#include "tests/support/read_only_folder.h"

#include <optional>

namespace {
constexpr int32_t kNoQuit = 7;
// Where the test puts the window before it opens, so that "unchanged" can be told.
constexpr int32_t kPlacedTop = 300, kPlacedLeft = 400;

class OpenCloseTest : public WindowTest {
  protected:
    // Opens with the window placed at kPlacedTop, kPlacedLeft just before its Open handler.
    void OpenPlaced() {
        Boot();
        auto& window = W();
        window.on_open = [&window] {
            window.SetTop(kPlacedTop);
            window.SetLeft(kPlacedLeft);
            window.Event_Open();
        };
        RuntimeDispatch([] { NotNil(App()).on_open(); });
    }
    void CloseWindow() {
        Quit(kNoQuit);
        W().Close();
    }
    static std::string Bytes(const std::vector<std::pair<std::string, std::string>>& pairs) {
        std::string text;
        for (const auto& [key, value] : pairs)
            text += (text.empty() ? "" : "\n") + key + "\n" + value;
        return text;
    }
    std::string SavedBytes(const std::string& h, const std::string& m, const std::string& sound) {
        return Bytes({{"h_data", h},
                      {"m_data", m},
                      {"h_timer", ""},
                      {"m_timer", ""},
                      {"sound_res", sound},
                      {"window_top", Str(W().Top())},
                      {"window_left", Str(W().Left())}});
    }
};
} // namespace

TEST_F(OpenCloseTest, ANewFileHoldsTheSevenKeysInOrderAfterOneOpenAndClose) {
    ASSERT_FALSE(std::filesystem::exists(DocumentsPath()));
    OpenPlaced();
    EXPECT_TRUE(std::filesystem::is_regular_file(SettingsPath()));
    EXPECT_EQ(ReadSettings(), "") << "the first read creates it empty";
    EXPECT_FALSE(zkModule::f_windowcloseing);
    EXPECT_EQ(W().Top(), kPlacedTop);
    EXPECT_EQ(W().Left(), kPlacedLeft);

    CloseWindow();
    EXPECT_TRUE(zkModule::f_windowcloseing);
    EXPECT_EQ(ReadSettings(),
              "h_data\n\nm_data\n\nh_timer\n\nm_timer\n\nsound_res\n0\nwindow_top\n" +
                  Str(kPlacedTop) + "\nwindow_left\n" + Str(kPlacedLeft));
    EXPECT_EQ(RuntimeExit(), 0);
    EXPECT_TRUE(messages->texts.empty());
}

TEST_F(OpenCloseTest, AnAlarmSetTo705ComesBackAs7And05) {
    OpenPlaced();
    SetAlarmWithArrows(7, 5);
    ASSERT_EQ(W().EditField1()->Text(), "7");
    ASSERT_EQ(W().EditField2()->Text(), "05");
    NotNil(W().BevelButton1()).ChooseRow(2);
    CloseWindow();
    EXPECT_EQ(ReadSettings(), SavedBytes("7", "05", "2"));

    // The next opening, as a new run would make it.
    auto next = std::make_shared<class Window1>();
    next->Show();
    EXPECT_EQ(next->EditField1()->Text(), "7");
    EXPECT_EQ(next->EditField2()->Text(), "05");
    EXPECT_EQ(next->BevelButton1()->Caption(), "Submarine");
    EXPECT_EQ(next->Top(), kPlacedTop);
    EXPECT_EQ(next->EditField3()->Text(), "現在7:00:00    設定07:05");
    // Both windows go while Qt is up, not in the process's exit handlers.
    next.reset();
    RegisterImplicitWindow("Window1.Window1", nullptr);
}

// A saved place is kept wholly on the screen: the smallest values the rules accept put the
// title bar or the left border off it, and the window then stands against that edge.
constexpr int32_t kEdge = INT32_MIN;

struct LoadCase {
    const char* key;
    const char* value;
    int32_t top, left;   // the window's position after the open; kEdge: against that edge
    int32_t menu_value;  // BevelButton1's
    const char* caption; // BevelButton1's
};
void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.key << " \"" << c.value << '"';
}

class LoadRuleTest : public OpenCloseTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(LoadRuleTest, TheStoredValueIsAppliedByItsRule) {
    const auto& c = GetParam();
    WriteSettings(Bytes({{c.key, c.value}}));
    OpenPlaced();
    EXPECT_EQ(W().Top(), c.top == kEdge ? AgainstEdge(W(), true) : c.top);
    EXPECT_EQ(W().Left(), c.left == kEdge ? AgainstEdge(W(), false) : c.left);
    EXPECT_EQ(W().BevelButton1()->MenuValue(), c.menu_value);
    EXPECT_EQ(W().BevelButton1()->Caption(), c.caption);
    ASSERT_FALSE(Plays().empty());
    EXPECT_EQ(Plays()[0].sound, c.menu_value == 0 ? "Glass" : c.caption)
        << "the start-up ring plays the loaded sound";
}

constexpr int32_t T = kPlacedTop, L = kPlacedLeft;
INSTANTIATE_TEST_SUITE_P(
    Settings, LoadRuleTest,
    testing::Values(LoadCase{"window_top", "5", T, L, 0, "Glass"},
                    LoadCase{"window_top", "6", kEdge, L, 0, "Glass"},
                    LoadCase{"window_top", "0", T, L, 0, "Glass"},
                    LoadCase{"window_top", "-40", T, L, 0, "Glass"},
                    LoadCase{"window_top", "abc", T, L, 0, "Glass"},
                    LoadCase{"window_top", "", T, L, 0, "Glass"},
                    LoadCase{"window_left", "0", T, kEdge, 0, "Glass"},
                    LoadCase{"window_left", "-1", T, L, 0, "Glass"},
                    LoadCase{"window_left", "abc", T, kEdge, 0, "Glass"},
                    LoadCase{"window_left", "", T, L, 0, "Glass"},
                    LoadCase{"sound_res", "", T, L, 0, "Glass"},
                    LoadCase{"sound_res", "abc", T, L, 0, "Glass"},
                    LoadCase{"sound_res", "3", T, L, 3, "ChuToy"},
                    LoadCase{"sound_res", "5", T, L, 5, "Purr"},
                    // The chooser holds only its six rows: 9 leaves the value at 0.
                    LoadCase{"sound_res", "9", T, L, 0, "Glass"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

struct RejectedCase {
    const char* top;
    const char* left;
    std::optional<int32_t> expected_top, expected_left; // nullopt: where the window opens
};
void PrintTo(const RejectedCase& c, std::ostream* os) {
    *os << "top \"" << c.top << "\" left \"" << c.left << '"';
}

class RejectedAxisTest : public OpenCloseTest, public testing::WithParamInterface<RejectedCase> {};

TEST_P(RejectedAxisTest, ARejectedAxisStaysWhereTheWindowOpensAndTheOtherIsRestored) {
    const auto& c = GetParam();
    // A first run with nothing saved: where the framework opens the window.
    Open(7, 0, 0);
    const int32_t opening_top = W().Top(), opening_left = W().Left();
    EXPECT_GT(opening_top, 5) << "below the top of the screen, title bar included";
    EXPECT_GT(opening_left, 0);
    CloseWindow();

    // The next run, with a position saved partly off the screen.
    WriteSettings(Bytes({{"window_top", c.top}, {"window_left", c.left}}));
    auto next = std::make_shared<class Window1>();
    next->Show();
    EXPECT_EQ(next->Top(), c.expected_top.value_or(opening_top));
    const int32_t left = c.expected_left.value_or(opening_left);
    EXPECT_EQ(next->Left(), left == kEdge ? AgainstEdge(*next, false) : left);
    next.reset();
    RegisterImplicitWindow("Window1.Window1", nullptr);
}

INSTANTIATE_TEST_SUITE_P(Positions, RejectedAxisTest,
                         testing::Values(RejectedCase{"5", "100", std::nullopt, 100},
                                         RejectedCase{"300", "-1", 300, std::nullopt},
                                         RejectedCase{"abc", "abc", std::nullopt, kEdge},
                                         RejectedCase{"-40", "-1", std::nullopt, std::nullopt}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(OpenCloseTest, AnInvalidStoredHourIsShownAndStopsTheStartWithTheMessage) {
    WriteSettings(Bytes({{"h_data", "25"}, {"m_data", "00"}}));
    OpenPlaced();
    EXPECT_EQ(W().EditField1()->Text(), "25");
    ASSERT_EQ(Plays().size(), 1u) << "the open runs to its end, start-up ring included";
    EXPECT_EQ(Plays()[0].volume, 100);
    EXPECT_EQ(messages->texts, std::vector<std::string>{kInvalidTime});
    EXPECT_TRUE(IsIdle());
}

TEST_F(OpenCloseTest, AMalformedFileOpensWithDefaultsAndIsLeftUnchangedByTheClose) {
    const std::string malformed = "h_data\n7\nm_data";
    WriteSettings(malformed);
    OpenPlaced();
    EXPECT_EQ(RuntimeExit(), 0) << "reading asked the application to quit";
    EXPECT_TRUE(messages->texts.empty());
    ASSERT_EQ(Plays().size(), 1u);
    EXPECT_EQ(W().EditField1()->Text(), "");
    EXPECT_TRUE(IsMeasuring());

    CloseWindow();
    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_EQ(messages->texts[0],
              "データ構成が不正です。\r\r下記のデータファイルを削除してみてください。\r" +
                  SettingsPath());
    EXPECT_EQ(ReadSettings(), malformed);
    EXPECT_EQ(RuntimeExit(), 0);
}

struct BrokenCase {
    const char* name;
    void (*break_it)(const std::string& home);
    const char* exception;
};
void PrintTo(const BrokenCase& c, std::ostream* os) {
    *os << c.name;
}

class BrokenDocumentsTest : public OpenCloseTest, public testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenDocumentsTest, TheExceptionIsReportedAtOpenAndCloseAndNothingCrashes) {
    GetParam().break_it(home);
    testing::internal::CaptureStderr();
    OpenPlaced();
    std::string errors = testing::internal::GetCapturedStderr();
    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_NE(messages->texts[0].find(GetParam().exception), std::string::npos);
    EXPECT_NE(errors.find(GetParam().exception), std::string::npos);
    EXPECT_TRUE(W().NativeWidget()->isVisible()) << "the window still opens";
    EXPECT_TRUE(Plays().empty()) << "the open ended at the settings";

    testing::internal::CaptureStderr();
    CloseWindow();
    errors = testing::internal::GetCapturedStderr();
    ASSERT_EQ(messages->texts.size(), 2u);
    EXPECT_NE(messages->texts[1].find(GetParam().exception), std::string::npos);
    EXPECT_NE(errors.find(GetParam().exception), std::string::npos);
    EXPECT_TRUE(zkModule::f_windowcloseing);
    EXPECT_EQ(RuntimeExit(), 0) << "a failed save still ends the application";
}

INSTANTIATE_TEST_SUITE_P(Roads, BrokenDocumentsTest,
                         testing::Values(BrokenCase{"DocumentsIsAFile",
                                                    [](const std::string& home) {
                                                        std::ofstream(home + "/Documents")
                                                            << "not a folder";
                                                    },
                                                    "NilObjectException"},
                                         BrokenCase{"HomeIsAFile",
                                                    [](const std::string& home) {
                                                        std::ofstream(home + "/plain")
                                                            << "not a folder";
                                                        setenv("HOME", (home + "/plain").c_str(),
                                                               1);
                                                    },
                                                    "NilObjectException"},
                                         BrokenCase{"SettingsFileIsAFolder",
                                                    [](const std::string& home) {
                                                        std::filesystem::create_directories(
                                                            home + "/Documents/Dorvane2appData");
                                                    },
                                                    "IOException"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenCloseTest, ADocumentsFolderThatTakesNoNewFileStillGetsTheSettingsAtTheClose) {
    WriteSettings(Bytes({{"h_data", "6"}, {"m_data", "30"}}));
    ReadOnlyFolder documents(DocumentsPath());
    ASSERT_TRUE(documents.TakesNoNewFile());
    OpenPlaced();
    Up(W().UpDownArrows1());
    CloseWindow();
    EXPECT_EQ(ReadSettings(), SavedBytes("7", "30", "0"));
    EXPECT_TRUE(messages->texts.empty());
    EXPECT_EQ(RuntimeExit(), 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(DocumentsPath()), {}), 1);
}

TEST_F(OpenCloseTest, AMissingDocumentsFolderIsCreatedAndTheRunGoesOn) {
    OpenPlaced();
    EXPECT_TRUE(std::filesystem::is_directory(DocumentsPath()));
    EXPECT_TRUE(messages->texts.empty());
    EXPECT_TRUE(IsMeasuring());
    CloseWindow();
    EXPECT_EQ(ReadSettings(), SavedBytes("", "", "0"));
}

TEST_F(OpenCloseTest, ClosingKeepsTheTimersAsTheyAre) {
    WriteSettings(Bytes({{"h_data", "7"}, {"m_data", "00"}}));
    OpenPlaced();
    Advance(kMinuteMs + 1000);
    ASSERT_TRUE(IsRinging());
    CloseWindow();
    EXPECT_TRUE(IsRinging()) << "the application is ending";
    std::weak_ptr<class Window1> window = ::Window1();
    EXPECT_FALSE(window.expired());
}

TEST_F(OpenCloseTest, FortyThousandCharacterTimeTextsAreSavedBackByteForByte) {
    // Each starts with a number in range, so the start finds a valid alarm time.
    const auto text = [](const std::string& lead, const std::string& filler) {
        std::string t = lead;
        for (int32_t length = Len(lead); length < 40000; length += Len(filler))
            t += filler;
        return t;
    };
    const std::string h = text("7", "時"), m = text("05", "x"), ht = text("1", "分y"),
                      mt = text("30", "\u00A5");
    const auto bytes = [&](int32_t top, int32_t left) {
        return Bytes({{"h_data", h},
                      {"m_data", m},
                      {"h_timer", ht},
                      {"m_timer", mt},
                      {"sound_res", "0"},
                      {"window_top", Str(top)},
                      {"window_left", Str(left)}});
    };
    WriteSettings(bytes(kPlacedTop, kPlacedLeft));
    OpenPlaced();
    EXPECT_EQ(Len(W().EditField1()->Text()), 40000);
    EXPECT_TRUE(IsMeasuring());
    CloseWindow();
    EXPECT_TRUE(ReadSettings() == bytes(W().Top(), W().Left())) << "the texts were cut";
    EXPECT_TRUE(messages->texts.empty());
}

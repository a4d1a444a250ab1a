// The bevel button's glue over the plug-in: rows, MenuValue, Action, Open and focus.
#include "shell/appearance/appearance_abi.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/gui/bevel_button.h"
#include "shell/framework/gui/plugin.h"
#include "tests/framework/gui/appearance_controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {
const char* const kSounds[] = {"Glass", "Sosumi", "Submarine", "ChuToy", "Temple", "Purr"};

// The sound chooser's property list as the alarm window gives it.
const PropertyList kSoundChooser = {{"Name", "BevelButton1"s},
                                    {"Left", 190},
                                    {"Top", 10},
                                    {"Width", 77},
                                    {"Height", 21},
                                    {"TabIndex", 8},
                                    {"TextFont", "Osaka"s},
                                    {"TextSize", 12.0},
                                    {"Bold", false},
                                    {"TextUnit", 0},
                                    {"HasMenu", 1},
                                    {"MenuValue", 0},
                                    {"Value", false},
                                    {"Caption", ""s},
                                    {"CaptionAlign", 3},
                                    {"CaptionPlacement", 1},
                                    {"CaptionDelta", 0},
                                    {"Bevel", 0},
                                    {"ButtonType", 0},
                                    {"IconAlign", 0},
                                    {"IconDX", 0},
                                    {"IconDY", 0},
                                    {"TextColor", Color{0x000000}},
                                    {"HasBackColor", false},
                                    {"BackColor", Color{0x000000}},
                                    {"AcceptFocus", false},
                                    {"Transparent", true}};

class BevelButtonTest : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        button->on_open = [this](BevelButton& b) {
            ++opens;
            for (const char* row : kSounds)
                b.AddRow(row);
        };
        button->on_action = [this](BevelButton& b) { actions.push_back(b.MenuValue()); };
        ShowWindowWith(button, kSoundChooser);
    }

    QMenu* Menu() { return button->NativeWidget()->findChild<QMenu*>(); }

    std::shared_ptr<BevelButton> button = std::make_shared<BevelButton>();
    int opens = 0;
    std::vector<int32_t> actions; // MenuValue as each Action saw it
};

TEST_F(BevelButtonTest, TakesTheWindowsPropertyListBeforeItHasRows) {
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(button->RowCount(), 6);
    EXPECT_EQ(button->MenuValue(), 0);
    EXPECT_EQ(button->Caption(), "");
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(button->NativeWidget()->geometry(), QRect(190, 10, 77, 21));
    ASSERT_NE(button->StoredProperty("CaptionAlign"), nullptr);
    EXPECT_EQ(AsInt32("CaptionAlign", *button->StoredProperty("CaptionAlign")), 3);
}

TEST_F(BevelButtonTest, RowsAreNumberedInAddRowOrder) {
    ASSERT_NE(Menu(), nullptr);
    const auto rows = Menu()->actions();
    ASSERT_EQ(rows.size(), 6);
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(rows[i]->text().toStdString(), kSounds[i]);
        button->SetMenuValue(i);
        EXPECT_EQ(button->MenuValue(), i);
    }
}

TEST_F(BevelButtonTest, ChoosingARowSetsMenuValueAndRaisesActionOnce) {
    button->ChooseRow(3);
    EXPECT_EQ(button->MenuValue(), 3);
    EXPECT_EQ(actions, std::vector<int32_t>{3});
}

TEST_F(BevelButtonTest, ChoosingFromThePopUpMenuRaisesActionOnce) {
    QTest::mouseClick(button->NativeWidget(), Qt::LeftButton);
    ASSERT_TRUE(Menu()->isVisible());
    EXPECT_TRUE(Menu()->actions()[0]->isChecked()); // the current row
    Menu()->actions()[4]->trigger();
    QCoreApplication::processEvents(); // the choice arrives once the menu is done
    EXPECT_EQ(button->MenuValue(), 4);
    EXPECT_EQ(actions, std::vector<int32_t>{4});
}

TEST_F(BevelButtonTest, SettingMenuValueFromCodeRaisesNoActionAndKeepsToTheRows) {
    struct Case {
        int32_t value, expected;
    };
    const Case cases[] = {{2, 2},         {5, 5},         {6, 5}, {-1, 5},
                          {INT32_MIN, 5}, {INT32_MAX, 5}, {0, 0}, {100, 0}};
    for (const auto& c : cases) {
        button->SetMenuValue(c.value);
        EXPECT_EQ(button->MenuValue(), c.expected) << c.value;
    }
    EXPECT_TRUE(actions.empty());
}

TEST_F(BevelButtonTest, ChoosingOutsideTheRowsOrWhileDisabledDoesNothing) {
    button->ChooseRow(6);
    button->ChooseRow(-1);
    button->SetEnabled(false);
    button->ChooseRow(2);
    EXPECT_EQ(button->MenuValue(), 0);
    EXPECT_TRUE(actions.empty());
}

TEST_F(BevelButtonTest, OpenIsRaisedOnce) {
    button->RaiseOpen();
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(button->RowCount(), 6);
}

TEST_F(BevelButtonTest, NeverTakesTheFocus) {
    QWidget* widget = button->NativeWidget();
    EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(widget, Qt::LeftButton);
    Menu()->hide();
    widget->setFocus();
    EXPECT_FALSE(widget->hasFocus());
    button->SetEnabled(false); // the common properties are applied again
    button->SetEnabled(true);
    EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
}

TEST_F(BevelButtonTest, AcceptFocusTrueOutlastsTheCommonProperties) {
    button->SetProperty("AcceptFocus", true);
    button->SetProperty("Left", 20);
    EXPECT_NE(button->NativeWidget()->focusPolicy() & Qt::TabFocus, 0);
}

TEST_F(BevelButtonTest, CaptionCarriesAnyLengthOfText) {
    std::string long_caption;
    for (int i = 0; i < 100; ++i)
        long_caption += "音";
    for (const std::string& caption : {"ChuToy"s, long_caption, ""s}) {
        button->SetCaption(caption);
        EXPECT_EQ(button->Caption(), caption);
        EXPECT_EQ(static_cast<QAbstractButton*>(button->NativeWidget())->text().toStdString(),
                  caption);
    }
}

// The six font setters, each replaced in the entry table by one that records the call
// ("TextSize 12") and passes it on.
const char* const kFontMembers[] = {"TextFont", "TextSize", "TextUnit",
                                    "Bold",     "Italic",   "Underline"};
std::vector<std::string> font_calls;
void* real_font_setters[std::size(kFontMembers)];

template <std::size_t I, class Arg> void RecordingSetter(void* widget, Arg value) {
    std::ostringstream call;
    call << kFontMembers[I] << " " << value;
    font_calls.push_back(call.str());
    reinterpret_cast<void (*)(void*, Arg)>(real_font_setters[I])(widget, value);
}

template <std::size_t I, class Arg> void RecordSetter() {
    const std::string name = std::string("BevelButton.") + kFontMembers[I] + ".Set";
    for (std::size_t entry = 0; entry < std::size(kPluginEntryNames); ++entry) {
        if (name != kPluginEntryNames[entry]) continue;
        real_font_setters[I] = PluginEntrypoints()[entry];
        PluginEntrypoints()[entry] = reinterpret_cast<void*>(&RecordingSetter<I, Arg>);
    }
}

void RecordFontSetters() {
    RecordSetter<0, const char*>();
    RecordSetter<1, double>();
    RecordSetter<2, int32_t>();
    RecordSetter<3, bool>();
    RecordSetter<4, bool>();
    RecordSetter<5, bool>();
}

bool Called(const std::string& call) {
    return std::find(font_calls.begin(), font_calls.end(), call) != font_calls.end();
}

TEST_F(BevelButtonTest, ItsFontIsSetThroughThePlugInsSixEntries) {
    RecordFontSetters();
    auto chooser = std::make_shared<BevelButton>();
    ShowWindowWith(chooser, kSoundChooser); // "Osaka" 12
    for (const char* call : {"TextFont Noto Sans CJK JP", "TextSize 12", "TextUnit 0", "Bold 0",
                             "Italic 0", "Underline 0"})
        EXPECT_TRUE(Called(call)) << call;
    EXPECT_EQ(chooser->NativeWidget()->font().family(), "Noto Sans CJK JP");
    EXPECT_EQ(chooser->NativeWidget()->font().pixelSize(), 12);

    font_calls.clear();
    chooser->SetProperties({{"TextSize", 13.0},
                            {"TextUnit", 1},
                            {"Bold", true},
                            {"Italic", true},
                            {"Underline", true}});
    for (const char* call : {"TextSize 13", "TextUnit 1", "Bold 1", "Italic 1", "Underline 1"})
        EXPECT_TRUE(Called(call)) << call;
    const QFont font = chooser->NativeWidget()->font();
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_TRUE(font.bold() && font.italic() && font.underline());

    // "System" at size 0 is the interface font.
    chooser->SetProperties({{"TextFont", "System"s}, {"TextSize", 0.0}, {"Bold", false}});
    EXPECT_TRUE(Called("TextFont " + QApplication::font().family().toStdString()));
    EXPECT_EQ(chooser->NativeWidget()->font().family(), QApplication::font().family());
    EXPECT_EQ(chooser->NativeWidget()->font().pointSizeF(), QApplication::font().pointSizeF());
}

// Runs of columns of the button's face (inside its frame) that hold dark pixels.
std::vector<std::pair<int, int>> InkRuns(const QImage& face) {
    std::vector<std::pair<int, int>> runs;
    for (int x = 1; x < face.width() - 1; ++x) {
        bool ink = false;
        for (int y = 1; y < face.height() - 1 && !ink; ++y) {
            const QColor c = face.pixelColor(x, y);
            ink = std::max({c.red(), c.green(), c.blue()}) < 128;
        }
        if (!ink) continue;
        if (!runs.empty() && runs.back().second == x - 1)
            runs.back().second = x;
        else
            runs.emplace_back(x, x);
    }
    return runs;
}

TEST_F(BevelButtonTest, TheCaptionIsCentredInTheSpaceTheMenuArrowLeaves) {
    for (const char* caption : kSounds) {
        SCOPED_TRACE(caption);
        button->SetCaption(caption);
        const QImage face = button->NativeWidget()->grab().toImage();
        const auto runs = InkRuns(face);
        ASSERT_GE(runs.size(), 2u) << "the caption, then the arrow";
        const auto [arrow_left, arrow_right] = runs.back();
        const int caption_left = runs.front().first, caption_right = runs[runs.size() - 2].second;
        const int free_left = caption_left - 1; // inside the frame
        const int free_before_arrow = arrow_left - caption_right - 1;
        EXPECT_GE(free_before_arrow, 2) << "the caption runs into the arrow";
        EXPECT_LE(std::abs(free_left - free_before_arrow), 2) // side bearings differ
            << "caption " << caption_left << "-" << caption_right << ", arrow " << arrow_left << "-"
            << arrow_right;
        EXPECT_LE(face.width() - 2 - arrow_right, 4) << "the arrow keeps to the right edge";
    }
}

// The module's other row members, reached through their entries.
TEST_F(BevelButtonTest, EditingTheRowsKeepsTheChosenRow) {
    void* widget = button->NativeWidget();
    const auto insert = PluginEntryAs<AppearanceIntTextMethod>(
        "BevelButton.InsertRow(index As Integer, text As String)");
    const auto remove =
        PluginEntryAs<AppearanceIntMethod>("BevelButton.RemoveRow(index As Integer)");
    const auto list = [widget](int32_t index) {
        char text[32];
        const auto get = PluginEntryAs<AppearanceIndexTextFunction>(
            "BevelButton.List(index As Integer) As String");
        return std::string(text, get(widget, index, text, sizeof text));
    };
    button->SetMenuValue(3); // ChuToy
    insert(widget, 0, "Basso");
    EXPECT_EQ(button->MenuValue(), 4);
    EXPECT_EQ(list(4), "ChuToy");
    remove(widget, 1); // Glass
    EXPECT_EQ(button->MenuValue(), 3);
    EXPECT_EQ(list(3), "ChuToy");
    insert(widget, 99, "Ping"); // outside 0..RowCount(): nothing
    remove(widget, -1);
    EXPECT_EQ(button->RowCount(), 6);
    remove(widget, 3); // the chosen row itself
    EXPECT_EQ(button->MenuValue(), 0);
    PluginEntryAs<AppearanceMethod>("BevelButton.AddSeparator()")(widget);
    EXPECT_EQ(list(5), "-");
    button->SetMenuValue(5); // a separator cannot be chosen
    button->ChooseRow(5);
    EXPECT_EQ(button->MenuValue(), 0);
    PluginEntryAs<AppearanceMethod>("BevelButton.DeleteAllRows()")(widget);
    EXPECT_EQ(button->RowCount(), 0);
    EXPECT_EQ(list(0), "");
    EXPECT_TRUE(actions.empty());
}

TEST_F(BevelButtonTest, WithoutAMenuAPushRaisesActionAndAToggleFlips) {
    void* widget = button->NativeWidget();
    button->SetProperty("HasMenu", 0);
    button->SetProperty("ButtonType", 1);
    const auto push = PluginEntryAs<AppearanceMethod>("BevelButton.Push()");
    const auto value = PluginEntryAs<AppearanceGetBool>("BevelButton.Value.Get");
    push(widget);
    EXPECT_TRUE(value(widget));
    push(widget);
    EXPECT_FALSE(value(widget));
    EXPECT_EQ(actions.size(), 2u);
    button->SetEnabled(false);
    push(widget);
    EXPECT_EQ(actions.size(), 2u);
}

TEST_F(BevelButtonTest, AnExceptionInActionIsReportedAndTheChoiceStands) {
    button->on_action = [](BevelButton&) { throw NilObjectException(); };
    button->ChooseRow(1);
    EXPECT_EQ(button->MenuValue(), 1);
    EXPECT_EQ(messages->texts.size(), 1u);
}

TEST_F(BevelButtonTest, AWrongValueTypeIsRejected) {
    EXPECT_THROW(button->SetProperty("MenuValue", "3"s), RuntimeException);
    EXPECT_THROW(button->SetProperty("NoSuchProperty", 1), RuntimeException);
    EXPECT_EQ(button->MenuValue(), 0);
}
} // namespace

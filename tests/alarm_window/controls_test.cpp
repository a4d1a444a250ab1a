// The window and its 24 controls as built: classes, order, geometry, tab order, initial
// values, bindings and the accessors.
#include "shell/framework/gui/event_loop.h"
#include "shell/main_menu_bar.h"
#include "tests/alarm_window/window_fixture.h"
#include "tests/support/window_shape.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <climits>

namespace {
class ControlsTest : public WindowTest {
  protected:
    // The window's controls as CreateControls leaves them, before any Open event.
    class Window1& Created() {
        Boot();
        auto& window = W();
        window.Layout();
        window.CreateControls();
        return window;
    }
};

template <class T> bool IsA(const std::shared_ptr<Control>& control) {
    return RuntimeCheckCast<T>(control) != nullptr;
}

struct VisualRow {
    const char* name;
    bool (*is_class)(const std::shared_ptr<Control>&);
    int32_t left, top, width, height, tab_index;
    const char* font; // nullptr: the class has no font of its own here
    double size;
};

const VisualRow kVisualRows[] = {
    {"GroupBox1", IsA<GroupBox>, 54, 100, 221, 34, 24, "System", 0},
    {"PushButton1", IsA<PushButton>, 20, 5, 69, 33, 0, "Osaka", 12},
    {"StaticText1", IsA<Label>, 168, 59, 12, 26, 3, "Osaka", 12},
    {"EditField3", IsA<TextField>, 28, 141, 218, 27, 4, "Osaka", 12},
    {"PushButton2", IsA<PushButton>, 159, 11, 30, 20, 5, "Osaka", 12},
    {"StaticText2", IsA<Label>, 47, 62, 76, 20, 6, "Osaka", 12},
    {"StaticText3", IsA<Label>, 28, 40, 99, 20, 7, "Osaka", 12},
    {"BevelButton1", IsA<BevelButton>, 190, 10, 77, 21, 8, "Osaka", 12},
    {"StaticText_comment", IsA<Label>, 2, 155, 277, 20, 11, "Osaka", 11},
    {"EditField1", IsA<TextField>, 118, 61, 38, 22, 12, "System", 0},
    {"UpDownArrows1", IsA<UpDownArrows>, 155, 61, 13, 23, 13, nullptr, 0},
    {"EditField2", IsA<TextField>, 174, 61, 38, 22, 14, "System", 0},
    {"UpDownArrows2", IsA<UpDownArrows>, 211, 61, 13, 23, 15, nullptr, 0},
    {"ProgressWheel1", IsA<ProgressWheel>, 6, 59, 16, 16, 16, nullptr, 0},
    {"Label1", IsA<Label>, 168, 103, 12, 26, 17, "Osaka", 12},
    {"Label2", IsA<Label>, 38, 106, 76, 20, 18, "Osaka", 12},
    {"TextField1", IsA<TextField>, 118, 105, 38, 22, 19, "System", 0},
    {"UpDownArrows3", IsA<UpDownArrows>, 155, 105, 13, 23, 20, nullptr, 0},
    {"TextField2", IsA<TextField>, 174, 105, 38, 22, 21, "System", 0},
    {"UpDownArrows4", IsA<UpDownArrows>, 211, 105, 13, 23, 22, nullptr, 0},
    {"PushButton3", IsA<PushButton>, 224, 103, 51, 33, 23, "Osaka", 12},
};

const std::vector<std::string> kCreationOrder = {
    "GroupBox1",      "PushButton1",   "Timer1",        "StaticText1",
    "EditField3",     "PushButton2",   "Timer2",        "StaticText2",
    "StaticText3",    "BevelButton1",  "Timer3",        "StaticText_comment",
    "EditField1",     "UpDownArrows1", "EditField2",    "UpDownArrows2",
    "ProgressWheel1", "Label1",        "Label2",        "TextField1",
    "UpDownArrows3",  "TextField2",    "UpDownArrows4", "PushButton3"};
} // namespace

TEST_F(ControlsTest, TheWindowIsFixedAt281By179WithItsStoredList) {
    Open(7, 0, 0);
    auto& window = W();
    EXPECT_EQ(window.Width(), 281);
    EXPECT_EQ(window.Height(), 179);
    EXPECT_EQ(window.Title(), "   ");
    const std::pair<const char*, PropertyValue> stored[] = {{"MinWidth", 64},
                                                            {"MaxWidth", 32000},
                                                            {"Frame", 9},
                                                            {"CloseButton", true},
                                                            {"Resizeable", false},
                                                            {"MaximizeButton", false},
                                                            {"MinimizeButton", true},
                                                            {"FullScreenButton", false},
                                                            {"FullScreen", false},
                                                            {"HasBackColor", false},
                                                            {"BackColor", Color{0xFFFFFF}},
                                                            {"MenuBarVisible", true}};
    for (const auto& [name, value] : stored) {
        ASSERT_NE(window.StoredProperty(name), nullptr) << name;
        EXPECT_EQ(*window.StoredProperty(name), value) << name;
    }
    EXPECT_EQ(window.StoredProperty("Left"), nullptr) << "the list sets no position";
    EXPECT_EQ(window.StoredProperty("Top"), nullptr);

    // What the platform gets.
    ExpectAlarmWindowShape(window);
}

TEST_F(ControlsTest, TheWindowShowsTheRealMenuBarWhoseQuitClosesTheWindowAndSaves) {
    Boot();
    auto app = App();
    const auto open = app->on_open;
    QObject watchdog; // goes with the test, and its timer with it
    app->on_open = [this, open, &watchdog] {
        open();
        // Once the window is up and active: the menus, then Ctrl+Q as a user types it.
        QTimer::singleShot(0, [this] {
            auto* native = static_cast<QMainWindow*>(W().NativeWidget());
            auto bar = MainMenuBar();
            const auto menus = native->menuBar()->actions();
            ASSERT_EQ(menus.size(), bar->Count());
            for (int32_t i = 0; i < bar->Count(); ++i) {
                const auto& menu = NotNil(bar->Item(i));
                SCOPED_TRACE(menu.Name());
                EXPECT_EQ(menus[i]->text().toStdString(), menu.Text());
                const auto items = menus[i]->menu()->actions();
                ASSERT_EQ(items.size(), menu.Count());
                for (int32_t j = 0; j < menu.Count(); ++j) {
                    const auto& item = NotNil(menu.Item(j));
                    EXPECT_EQ(items[j]->isSeparator(), item.IsSeparator()) << item.Name();
                    if (item.IsSeparator()) continue;
                    EXPECT_EQ(items[j]->text().toStdString(), item.Text());
                    EXPECT_EQ(items[j]->shortcut().isEmpty(), item.KeyboardShortcut().empty())
                        << item.Name();
                }
            }
            ASSERT_TRUE(ShowActive(W()));
            QTest::keyClick(native, Qt::Key_Q, Qt::ControlModifier);
        });
        // Only if the quit never comes.
        QTimer::singleShot(10000, &watchdog, [] {
            ADD_FAILURE() << "Ctrl+Q did not end the run";
            Quit(9);
        });
    };
    RuntimeRun();

    EXPECT_EQ(RuntimeExit(), 0);
    EXPECT_TRUE(zkModule::f_windowcloseing) << "the window closed first";
    EXPECT_EQ(ReadSettings().rfind("h_data\n\nm_data\n\nh_timer\n\nm_timer\n\nsound_res\n0\n", 0),
              0u)
        << ReadSettings();
}

TEST_F(ControlsTest, TwentyFourControlsInCreationOrderUnderTheirNames) {
    auto& window = Created();
    std::vector<std::string> names;
    for (const auto& control : window.Controls())
        names.push_back(NotNil(control).Name());
    EXPECT_EQ(names, kCreationOrder);
    for (const auto& name : kCreationOrder)
        EXPECT_EQ(window.ControlByName(name), window.Controls()[&name - &kCreationOrder[0]]);
}

TEST_F(ControlsTest, EachVisualControlHasItsClassGeometryTabIndexAndFont) {
    auto& window = Created();
    for (const auto& row : kVisualRows) {
        SCOPED_TRACE(row.name);
        auto control = window.ControlByName(row.name);
        ASSERT_TRUE(row.is_class(control));
        auto& visual = NotNil(RuntimeCheckCast<RectControl>(control));
        EXPECT_EQ(visual.Left(), row.left);
        EXPECT_EQ(visual.Top(), row.top);
        EXPECT_EQ(visual.Width(), row.width);
        EXPECT_EQ(visual.Height(), row.height);
        EXPECT_EQ(visual.TabIndex(), row.tab_index);
        if (row.font) {
            EXPECT_EQ(visual.TextFont(), row.font);
            EXPECT_EQ(visual.TextSize(), row.size);
        }
        EXPECT_TRUE(visual.Enabled());
        EXPECT_EQ(visual.Visible(), std::string(row.name) != "ProgressWheel1");
    }
}

TEST_F(ControlsTest, TimersStartOffWithTheirPeriods) {
    auto& window = Created();
    const std::pair<std::shared_ptr<Timer>, int32_t> timers[] = {
        {window.Timer1(), 5000}, {window.Timer2(), 1000}, {window.Timer3(), 300000}};
    for (const auto& [timer, period_ms] : timers) {
        EXPECT_EQ(NotNil(timer).Period(), period_ms);
        EXPECT_EQ(timer->Mode(), 0);
    }
    Advance(kHourMs);
    EXPECT_TRUE(Plays().empty()) << "no timer action before the engine sets a mode";
    EXPECT_TRUE(window.EditField3()->Text().empty());
}

TEST_F(ControlsTest, TextsCaptionsAndColoursAtCreation) {
    auto& window = Created();
    EXPECT_EQ(window.PushButton1()->Caption(), "スタート");
    EXPECT_EQ(window.PushButton2()->Caption(), "音");
    EXPECT_EQ(window.PushButton3()->Caption(), "set");
    EXPECT_TRUE(window.PushButton3()->Cancel());
    EXPECT_FALSE(window.PushButton1()->Cancel());
    EXPECT_FALSE(window.PushButton2()->Cancel());
    const std::pair<std::shared_ptr<Label>, std::string> labels[] = {
        {window.StaticText1(), ":"}, {window.StaticText2(), "アラーム時刻"},
        {window.StaticText3(), ""},  {window.StaticText_comment(), ""},
        {window.Label1(), ":"},      {window.Label2(), "タイマ時間"}};
    for (const auto& [label, text] : labels)
        EXPECT_EQ(NotNil(label).Text(), text) << label->Name();
    EXPECT_EQ(window.StaticText3()->TextColor(), Color{0x004080});
    EXPECT_EQ(window.StaticText_comment()->TextColor(), Color{0x2B4807});
    EXPECT_EQ(window.Label2()->TextColor(), Color{0xFC6FCE});
    EXPECT_EQ(window.Label2()->TextAlign(), 2);
    EXPECT_EQ(window.StaticText2()->TextColor(), Color{0x000000});

    // The four time fields are editable until their Open handlers run.
    for (auto field :
         {window.EditField1(), window.EditField2(), window.TextField1(), window.TextField2()}) {
        EXPECT_TRUE(NotNil(field).Text().empty());
        EXPECT_FALSE(field->ReadOnly()) << field->Name();
        EXPECT_EQ(field->Alignment(), 0);
        EXPECT_TRUE(field->Border());
    }
    EXPECT_EQ(window.TextField1()->BackColor(), Color{0x8000FE});
    EXPECT_EQ(window.TextField2()->TextColor(), Color{0xFC6FCE});
    EXPECT_EQ(window.EditField1()->BackColor(), Color{0xFFFFFF});
    auto& clock_line = NotNil(window.EditField3());
    EXPECT_TRUE(clock_line.ReadOnly());
    EXPECT_FALSE(clock_line.Border());
    EXPECT_EQ(clock_line.Alignment(), 2);

    auto& chooser = NotNil(window.BevelButton1());
    EXPECT_EQ(chooser.RowCount(), 0);
    EXPECT_EQ(chooser.Caption(), "");
    EXPECT_EQ(chooser.MenuValue(), 0);
    for (auto arrows : {window.UpDownArrows1(), window.UpDownArrows2(), window.UpDownArrows3(),
                        window.UpDownArrows4()})
        EXPECT_FALSE(NotNil(arrows).AcceptFocus()) << arrows->Name();
}

TEST_F(ControlsTest, TheControlsOpenEventsMakeTheTimeFieldsReadOnlyAndFillTheMenu) {
    Open(7, 0, 0);
    auto& window = W();
    const std::pair<std::shared_ptr<TextField>, int32_t> fields[] = {{window.EditField1(), 3},
                                                                     {window.EditField2(), 0},
                                                                     {window.TextField1(), 3},
                                                                     {window.TextField2(), 0}};
    for (const auto& [field, alignment] : fields) {
        EXPECT_TRUE(NotNil(field).ReadOnly()) << field->Name();
        EXPECT_EQ(field->Alignment(), alignment) << field->Name();
    }
    auto& chooser = NotNil(window.BevelButton1());
    EXPECT_EQ(chooser.RowCount(), 6);
    EXPECT_EQ(chooser.Caption(), "Glass");
}

TEST_F(ControlsTest, ExactlyTheTwentyBindingsAreMade) {
    auto& window = Created();
    EXPECT_TRUE(window.PushButton1()->on_action);
    EXPECT_TRUE(window.PushButton2()->on_action);
    EXPECT_TRUE(window.PushButton3()->on_action);
    for (auto timer : {window.Timer1(), window.Timer2(), window.Timer3()})
        EXPECT_TRUE(NotNil(timer).on_action) << timer->Name();
    EXPECT_TRUE(window.BevelButton1()->on_open);
    EXPECT_TRUE(window.BevelButton1()->on_action);
    for (auto field :
         {window.EditField1(), window.EditField2(), window.TextField1(), window.TextField2()})
        EXPECT_TRUE(NotNil(field).on_open) << field->Name();
    EXPECT_FALSE(window.EditField3()->on_open) << "the clock line has no handler";
    for (auto arrows : {window.UpDownArrows1(), window.UpDownArrows2(), window.UpDownArrows3(),
                        window.UpDownArrows4()}) {
        EXPECT_TRUE(NotNil(arrows).on_up) << arrows->Name();
        EXPECT_TRUE(arrows->on_down) << arrows->Name();
    }
}

TEST_F(ControlsTest, AccessorsLookTheSameControlUpOnEveryCall) {
    auto& window = Created();
    EXPECT_EQ(window.PushButton1(), window.PushButton1());
    EXPECT_EQ(window.Timer2(), window.Timer2());
    EXPECT_EQ(window.StaticText_comment(), window.StaticText_comment());
    EXPECT_EQ(window.UpDownArrows4(), window.ControlByName("UpDownArrows4"));
    EXPECT_EQ(::Window1().get(), &window) << "the accessor returns the one window";
}

TEST_F(ControlsTest, AnAccessorOnAWindowWithoutASharedReferenceRaisesNilObjectException) {
    Boot();
    class Window1 unshared;
    EXPECT_THROW(unshared.PushButton1(), NilObjectException);
    EXPECT_THROW(unshared.Timer3(), NilObjectException);
}

TEST_F(ControlsTest, TheClassRecordNamesTheWindowAndItsMembersAccess) {
    Boot();
    const ClassRecord* record = RuntimeFindClass("Window1.Window1");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->superclass, "Window");
    auto member = [&](const std::string& name) -> const MemberRecord* {
        for (const auto& m : record->members)
            if (m.name == name) return &m;
        return nullptr;
    };
    const std::pair<const char*, Access> access[] = {
        {"Layout", Access::Public},          {"PushButton3", Access::Public},
        {"Event_KeyDown", Access::Public},   {"make_alarm", Access::Public},
        {"get_timeInfo", Access::Protected}, {"stop_it", Access::Protected},
        {"zkStart", Access::Public},         {"time_now", Access::Private},
        {"my_second", Access::Public},       {"time_target", Access::Private},
        {"data_file", Access::Private},      {"count_valume", Access::Protected}};
    for (const auto& [name, level] : access) {
        ASSERT_NE(member(name), nullptr) << name;
        EXPECT_EQ(member(name)->access, level) << name;
    }
    const auto* hidden = member("_CreateControls0");
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(hidden->attributes,
              (std::vector<std::pair<std::string, std::string>>{{"Hidden", ""}}));
    int with_attributes = 0;
    for (const auto& m : record->members)
        with_attributes += !m.attributes.empty();
    EXPECT_EQ(with_attributes, 1);
}

TEST_F(ControlsTest, ANewWindowStartsAtZeroAndIsReleasedCleanlyWithoutAnOpen) {
    Boot();
    std::weak_ptr<class Window1> released;
    {
        auto window = std::make_shared<class Window1>();
        released = window;
        EXPECT_EQ(window->my_hour, 0);
        EXPECT_EQ(window->my_minute, 0);
        EXPECT_EQ(window->my_second, 0);
    }
    EXPECT_TRUE(released.expired());
    EXPECT_FALSE(std::filesystem::exists(SettingsPath())) << "its finalizer touches no file";
}

// Windows: the property list, the build order of events, controls by name, closing
// and the position of the content area.
#include "shell/framework/core/exceptions.h"
#include "shell/framework/gui/application.h"
#include "shell/framework/gui/group_box.h"
#include "shell/framework/gui/label.h"
#include "shell/framework/gui/menu_item.h"
#include "shell/framework/gui/push_button.h"
#include "shell/framework/gui/rect_control.h"
#include "shell/framework/gui/text_field.h"
#include "shell/framework/gui/window.h"
#include "tests/support/gui_test.h"
#include "tests/support/qt_printers.h"
#include "tests/support/window_shape.h"

#include <QDebug>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMetaProperty>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <optional>

using namespace std::string_literals;

namespace {
// A small fixed window with the buttons of the alarm clock's.
const PropertyList kFixedWindow = {{"Width", 281},
                                   {"Height", 179},
                                   {"MinWidth", 64},
                                   {"MinHeight", 64},
                                   {"MaxWidth", 32000},
                                   {"MaxHeight", 32000},
                                   {"Frame", 9},
                                   {"Title", "   "s},
                                   {"CloseButton", true},
                                   {"Resizeable", false},
                                   {"MaximizeButton", false},
                                   {"MinimizeButton", true},
                                   {"FullScreenButton", false},
                                   {"Composite", true},
                                   {"MacProcID", 0},
                                   {"Placement", 0},
                                   {"Visible", true},
                                   {"LiveResize", false},
                                   {"FullScreen", false},
                                   {"HasBackColor", false},
                                   {"BackColor", Color{0xFFFFFF}},
                                   {"MenuBarVisible", true}};

std::shared_ptr<Window> FixedWindow() {
    auto window = std::make_shared<Window>();
    window->on_layout = [raw = window.get()] { raw->SetProperties(kFixedWindow); };
    return window;
}

template <class T>
std::shared_ptr<T> AddControl(Window& window, const std::string& name, const PropertyList& list) {
    auto control = window.New<T>();
    control->SetName(name);
    window.AddControl(control);
    control->SetProperties(list);
    return control;
}

class WindowTest : public GuiTest {};
} // namespace

TEST_F(WindowTest, PropertyListGivesSizeTitleButtonsAndAFixedSize) {
    auto window = FixedWindow();
    window->Show();

    EXPECT_EQ(window->Width(), 281);
    EXPECT_EQ(window->Height(), 179);
    EXPECT_EQ(window->Title(), "   ");
    ExpectAlarmWindowShape(*window);
    // Properties Qt has no use for are kept as given.
    EXPECT_EQ(*window->StoredProperty("Frame"), PropertyValue(9));
    EXPECT_EQ(*window->StoredProperty("Composite"), PropertyValue(true));
    EXPECT_EQ(window->StoredProperty("Left"), nullptr);
}

TEST_F(WindowTest, UnknownPropertyOrWrongTypeIsRejected) {
    auto window = std::make_shared<Window>();
    EXPECT_THROW(window->SetProperties({{"Colour", 1}}), RuntimeException);
    EXPECT_THROW(window->SetProperties({{"Width", "281"s}}), RuntimeException);
    EXPECT_THROW(window->SetProperties({{"width", 281}}), RuntimeException);
}

TEST_F(WindowTest, BuildRaisesLayoutCreateControlsControlOpensThenOpenBeforeShowing) {
    auto window = FixedWindow();
    std::vector<std::string> events;
    auto layout = window->on_layout;
    window->on_layout = [&, layout] {
        layout();
        events.push_back("Layout");
    };
    window->on_create_controls = [&, raw = window.get()] {
        events.push_back("CreateControls");
        for (const char* name : {"TextField1", "TextField2"}) {
            auto field = AddControl<TextField>(*raw, name, {});
            field->on_open = [&events](TextField& sender) { events.push_back(sender.Name()); };
        }
    };
    window->on_open = [&, raw = window.get()] {
        events.push_back(raw->NativeWidget()->isVisible() ? "Open (shown)" : "Open");
        raw->SetTop(200);
        raw->SetLeft(150);
    };

    window->Show();
    window->Show(); // a second Show builds nothing

    EXPECT_EQ(events, (std::vector<std::string>{"Layout", "CreateControls", "TextField1",
                                                "TextField2", "Open"}));
    EXPECT_TRUE(window->NativeWidget()->isVisible());
    EXPECT_EQ(window->Top(), 200);
    EXPECT_EQ(window->Left(), 150);
}

TEST_F(WindowTest, ControlsAreFoundByExactNameWithTheirInitialProperties) {
    auto window = FixedWindow();
    AddControl<PushButton>(*window, "PushButton3",
                           {{"Left", 224},
                            {"Top", 103},
                            {"Width", 51},
                            {"Height", 33},
                            {"Caption", "set"s},
                            {"Cancel", true},
                            {"Enabled", true},
                            {"TextFont", "Osaka"s},
                            {"TextSize", 12.0},
                            {"Transparent", true}});
    AddControl<Label>(*window, "Label2",
                      {{"Left", 38},
                       {"Top", 106},
                       {"Width", 76},
                       {"Height", 20},
                       {"Text", "タイマ時間"s},
                       {"TextColor", Color{0xFC6FCE}},
                       {"TextAlign", 2},
                       {"Multiline", false},
                       {"DataField", ""s}});
    AddControl<TextField>(*window, "EditField3",
                          {{"Left", 28},
                           {"Top", 141},
                           {"Width", 218},
                           {"Height", 27},
                           {"ReadOnly", true},
                           {"Alignment", 2},
                           {"Border", false},
                           {"UseFocusRing", false},
                           {"BackColor", Color{0x8000FE}},
                           {"TextColor", Color{0x000000}},
                           {"LockTop", false}});
    AddControl<GroupBox>(*window, "GroupBox1", {{"Caption", "A & B"s}, {"TextFont", "System"s}});

    EXPECT_EQ(window->ControlByName("pushbutton3"), nullptr);
    EXPECT_EQ(window->ControlByName("PushButton"), nullptr);

    auto button = RuntimeCheckCast<PushButton>(window->ControlByName("PushButton3"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Caption(), "set");
    EXPECT_TRUE(button->Cancel());
    EXPECT_EQ(button->NativeWidget()->geometry(), QRect(224, 103, 51, 33));
    EXPECT_EQ(static_cast<QPushButton*>(button->NativeWidget())->text(), "set");
    EXPECT_EQ(*button->StoredProperty("Transparent"), PropertyValue(true));

    auto label = RuntimeCheckCast<Label>(window->ControlByName("Label2"));
    ASSERT_NE(label, nullptr);
    auto* qlabel = static_cast<QLabel*>(label->NativeWidget());
    EXPECT_EQ(qlabel->text(), "タイマ時間");
    EXPECT_EQ(qlabel->palette().color(QPalette::WindowText), QColor(0xFC, 0x6F, 0xCE));
    EXPECT_TRUE(qlabel->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(label->TextAlign(), 2);

    auto field = RuntimeCheckCast<TextField>(window->ControlByName("EditField3"));
    ASSERT_NE(field, nullptr);
    auto* line = static_cast<QLineEdit*>(field->NativeWidget());
    EXPECT_TRUE(field->ReadOnly());
    EXPECT_TRUE(line->isReadOnly());
    EXPECT_FALSE(line->hasFrame());
    EXPECT_TRUE(line->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(line->alignment() & Qt::AlignTop) << "without a border, from the top of its box";
    EXPECT_EQ(line->palette().color(QPalette::Base), QColor(0x80, 0x00, 0xFE));
    EXPECT_EQ(field->Text(), "");

    auto box = RuntimeCheckCast<GroupBox>(window->ControlByName("GroupBox1"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Caption(), "A & B");
    EXPECT_EQ(static_cast<QGroupBox*>(box->NativeWidget())->title(), "A && B");
}

TEST_F(WindowTest, ControlRejectsUnknownPropertiesAndWrongTypes) {
    auto window = FixedWindow();
    for (const PropertyList& list : {PropertyList{{"Colour", 1}}, PropertyList{{"caption", "x"s}},
                                     PropertyList{{"Caption", 3}}, PropertyList{{"Left", true}},
                                     PropertyList{{"LockTop", 1}}}) {
        auto button = window->New<PushButton>();
        window->AddControl(button);
        EXPECT_THROW(button->SetProperties(list), RuntimeException);
    }
}

namespace {
// Every Qt property of the widget, and its palette, as one text to compare.
std::string WidgetState(QWidget& widget) {
    QString state;
    QDebug out(&state);
    const QMetaObject& meta = *widget.metaObject();
    for (int i = 0; i < meta.propertyCount(); ++i)
        out << meta.property(i).name() << widget.property(meta.property(i).name()) << "\n";
    out << widget.palette();
    return state.toStdString();
}
} // namespace

// A list reaches the widget as one change: it must end as its entries set one by one do.
TEST_F(WindowTest, PropertyListEndsAsItsEntriesAppliedOneByOne) {
    const PropertyList common = {
        {"Left", 10},           {"Top", 20},        {"Width", 90},  {"Height", 24},
        {"TextFont", "Osaka"s}, {"TextSize", 12.0}, {"Bold", true}, {"HelpTag", "tip"s},
        {"TabStop", false}};
    struct Row {
        const char* kind;
        std::function<std::shared_ptr<RectControl>(Window&)> make;
        PropertyList list;
    };
    const Row rows[] = {
        {"label",
         [](Window& w) { return w.New<Label>(); },
         {{"Text", "アラーム時刻"s},
          {"TextColor", Color{0x004080}},
          {"TextAlign", 2},
          {"Multiline", true},
          {"Selectable", true},
          {"Visible", false}}},
        {"text field",
         [](Window& w) { return w.New<TextField>(); },
         // The text before its limit: the limit cuts it, whichever way the list goes in.
         {{"Text", "12345"s},
          {"LimitText", 3},
          {"Alignment", 2},
          {"Border", false},
          {"BackColor", Color{0x8000FE}},
          {"TextColor", Color{0xFC6FCE}},
          {"ReadOnly", true},
          {"CueText", "cue"s},
          {"Enabled", false}}},
        {"push button",
         [](Window& w) { return w.New<PushButton>(); },
         {{"Caption", "スタート"s}, {"Default", true}, {"Cancel", true}, {"Italic", true}}},
    };
    auto window = FixedWindow();
    window->Show();
    for (const auto& row : rows) {
        PropertyList list = common;
        list.insert(list.end(), row.list.begin(), row.list.end());
        auto at_once = row.make(*window);
        window->AddControl(at_once);
        at_once->SetProperties(list);
        auto one_by_one = row.make(*window);
        window->AddControl(one_by_one);
        for (const auto& [name, value] : list)
            one_by_one->SetProperty(name, value);

        EXPECT_EQ(WidgetState(*at_once->NativeWidget()), WidgetState(*one_by_one->NativeWidget()))
            << row.kind;
    }
}

// A faulty entry raises, and what the entries before it set is shown.
TEST_F(WindowTest, PropertyListStoppedByAFaultyEntryShowsTheEntriesBeforeIt) {
    auto window = FixedWindow();
    auto label = window->New<Label>();
    window->AddControl(label);
    EXPECT_THROW(label->SetProperties({{"Left", 30}, {"TextSize", 17.0}, {"Top", "5"s}}),
                 RuntimeException);
    EXPECT_EQ(label->NativeWidget()->x(), 30);
    EXPECT_EQ(label->NativeWidget()->font().pixelSize(), 17);
}

TEST_F(WindowTest, OsakaIsTheJapaneseFaceAndSystemZeroTheInterfaceFont) {
    auto window = FixedWindow();
    auto label = AddControl<Label>(*window, "L", {{"TextFont", "Osaka"s}, {"TextSize", 11.0}});
    auto field = AddControl<TextField>(*window, "F", {{"TextFont", "System"s}, {"TextSize", 0.0}});

    const QFont label_font = label->NativeWidget()->font();
    EXPECT_EQ(label_font.family(), "Noto Sans CJK JP");
    EXPECT_EQ(label_font.pixelSize(), 11);
    EXPECT_EQ(field->NativeWidget()->font(), QApplication::font());
}

TEST_F(WindowTest, LaterControlsLieOverEarlierOnesAndLabelsLetThemShowThrough) {
    auto window = FixedWindow();
    auto field = AddControl<TextField>(
        *window, "EditField3", {{"Left", 28}, {"Top", 141}, {"Width", 218}, {"Height", 27}});
    auto hint = AddControl<Label>(*window, "StaticText_comment",
                                  {{"Left", 2}, {"Top", 155}, {"Width", 277}, {"Height", 20}});
    window->Show();

    EXPECT_EQ(window->ContentWidget()->childAt(100, 160), hint->NativeWidget());
    EXPECT_EQ(window->ContentWidget()->childAt(100, 145), field->NativeWidget());
    EXPECT_FALSE(hint->NativeWidget()->autoFillBackground());
}

TEST_F(WindowTest, TabOrderFollowsTabIndexAmongFocusableControls) {
    auto window = FixedWindow();
    window->on_create_controls = [raw = window.get()] {
        AddControl<TextField>(*raw, "C", {{"TabIndex", 14}});
        AddControl<PushButton>(*raw, "Button", {{"TabIndex", 0}});
        AddControl<TextField>(*raw, "A", {{"TabIndex", 4}});
        AddControl<TextField>(*raw, "B", {{"TabIndex", 12}});
        AddControl<TextField>(*raw, "Skipped", {{"TabIndex", 13}, {"TabStop", false}});
    };
    window->Show();

    auto widget = [&](const char* name) {
        return RuntimeCheckCast<RectControl>(window->ControlByName(name))->NativeWidget();
    };
    EXPECT_EQ(widget("Button")->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(widget("Skipped")->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(widget("A")->nextInFocusChain(), widget("B"));
    EXPECT_EQ(widget("B")->nextInFocusChain(), widget("C"));
}

TEST_F(WindowTest, ButtonActsOnClickOnlyWhileEnabled) {
    auto window = FixedWindow();
    auto button = AddControl<PushButton>(*window, "B", {{"Width", 60}, {"Height", 30}});
    int actions = 0;
    button->on_action = [&](PushButton&) { ++actions; };
    window->Show();

    QTest::mouseClick(button->NativeWidget(), Qt::LeftButton);
    button->SetEnabled(false);
    QTest::mouseClick(button->NativeWidget(), Qt::LeftButton);
    button->Push();

    EXPECT_EQ(actions, 1);
}

TEST_F(WindowTest, CloseRunsTheCloseEventOnceAndHidesTheWindow) {
    auto window = FixedWindow();
    int closes = 0;
    window->on_close = [&, raw = window.get()] {
        ++closes;
        raw->Close(); // a close from the Close handler does not close again
    };
    window->Close(); // not open yet: nothing to close
    EXPECT_EQ(closes, 0);

    window->Show();
    window->NativeWidget()->close(); // the user's close button
    window->Close();

    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(window->IsClosed());
    EXPECT_FALSE(window->NativeWidget()->isVisible());

    window->Show();
    EXPECT_FALSE(window->IsClosed());
    window->Close();
    EXPECT_EQ(closes, 2);
}

TEST_F(WindowTest, ShowBringsAMinimisedWindowBackUp) {
    auto window = FixedWindow();
    window->Show();
    window->NativeWidget()->showMinimized();
    ASSERT_TRUE(window->NativeWidget()->isMinimized());
    window->Show();
    EXPECT_FALSE(window->NativeWidget()->isMinimized());
    EXPECT_TRUE(window->NativeWidget()->isVisible());
}

TEST_F(WindowTest, ActivateAndDeactivateFollowTheActiveWindow) {
    auto first = FixedWindow();
    auto second = FixedWindow();
    std::vector<std::string> events;
    first->on_activate = [&] { events.push_back("activate"); };
    first->on_deactivate = [&] { events.push_back("deactivate"); };

    ASSERT_TRUE(ShowActive(*first));
    ASSERT_TRUE(ShowActive(*second));

    EXPECT_EQ(events, (std::vector<std::string>{"activate", "deactivate"}));
}

TEST_F(WindowTest, TopAndLeftAreTheContentAreaBelowTheMenuBarAndRoundTrip) {
    auto bar = std::make_shared<MenuBar>();
    auto file = std::make_shared<MenuItem>();
    file->SetText("ファイル");
    bar->Append(file);
    Application app;
    app.SetMenuBar(bar);

    auto window = FixedWindow();
    window->Show();
    auto* native = static_cast<QMainWindow*>(window->NativeWidget());
    ASSERT_NE(native->menuWidget(), nullptr);
    const int bar_height = native->menuWidget()->height();
    EXPECT_GT(bar_height, 0);

    for (const auto& [top, left] : {std::pair{120, 80}, std::pair{6, 0}, std::pair{431, 517}}) {
        window->SetTop(top);
        window->SetLeft(left);
        EXPECT_EQ(window->Top(), top);
        EXPECT_EQ(window->Left(), left);
        EXPECT_EQ(native->geometry().topLeft(), QPoint(left, top - bar_height));
    }
}

TEST_F(WindowTest, AWindowKnowsWhereItOpensInOpenSoEachAxisCanBeSetAlone) {
    struct Case {
        std::optional<int32_t> top, left; // set in Open; nullopt: left where it opens
    };
    for (const Case& row : {Case{std::nullopt, 100}, Case{300, std::nullopt},
                            Case{std::nullopt, std::nullopt}, Case{40, 30}}) {
        SCOPED_TRACE(testing::Message()
                     << "top " << row.top.value_or(-1) << ", left " << row.left.value_or(-1));
        auto window = FixedWindow();
        QPoint in_open;
        window->on_open = [&, raw = window.get()] {
            in_open = {raw->Left(), raw->Top()};
            if (row.top) raw->SetTop(*row.top);
            if (row.left) raw->SetLeft(*row.left);
        };
        window->Show();
        // Placed by the framework before Open: centred on the screen's free area.
        QWidget* native = window->NativeWidget();
        QRect centred = native->geometry();
        centred.moveCenter(native->screen()->availableGeometry().center());
        EXPECT_EQ(in_open, centred.topLeft() + window->ContentWidget()->pos());
        EXPECT_EQ(window->Top(), row.top.value_or(in_open.y()));
        EXPECT_EQ(window->Left(), row.left.value_or(in_open.x()));
    }
}

TEST_F(WindowTest, ImplicitWindowIsKeptUnderItsFullClassName) {
    EXPECT_EQ(GetImplicitWindow("Window1.Window1"), nullptr);
    auto window = std::make_shared<Window>();
    RegisterImplicitWindow("Window1.Window1", window);
    EXPECT_EQ(GetImplicitWindow("Window1.Window1"), window);
    EXPECT_EQ(GetImplicitWindow("window1.window1"), nullptr);
}

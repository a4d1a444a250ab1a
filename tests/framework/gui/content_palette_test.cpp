// A dark desktop palette: the content area keeps the light ground and control colours its
// layouts were drawn for, the colours a layout names stay, and the menu bar follows the
// desktop.
#include "shell/framework/gui/application.h"
#include "shell/framework/gui/bevel_button.h"
#include "shell/framework/gui/content_palette.h"
#include "shell/framework/gui/group_box.h"
#include "shell/framework/gui/label.h"
#include "shell/framework/gui/menu_item.h"
#include "shell/framework/gui/progress_wheel.h"
#include "shell/framework/gui/push_button.h"
#include "shell/framework/gui/text_field.h"
#include "shell/framework/gui/up_down_arrows.h"
#include "tests/framework/gui/appearance_controls.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QMetaEnum>
#include <QStyle>
#include <QToolButton>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

using namespace std::string_literals;

void PrintTo(const QColor& colour, std::ostream* os) {
    *os << colour.name(QColor::HexArgb).toStdString();
}

namespace {
const QColor kLightGround(0xEF, 0xEF, 0xEF);
const QColor kBlack(0x00, 0x00, 0x00);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kDarkGround(0x32, 0x32, 0x32);

// What a dark desktop theme hands Qt: a dark grey ground, white text, black fields.
QPalette DarkPalette() {
    return QPalette(kDarkGround);
}

// When the desktop's palette arrives: before the window is built (a dark theme at
// start-up) or while it is shown (the desktop switched).
enum class When { BeforeBuild, WhileShown };

void PrintTo(When when, std::ostream* os) {
    *os << (when == When::BeforeBuild ? "before the build" : "while shown");
}

class ContentPaletteTest : public PluginTest, public testing::WithParamInterface<When> {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        desktop_palette = QApplication::palette();
        bar = std::make_shared<MenuBar>();
        auto file = std::make_shared<MenuItem>();
        file->SetName("FileMenu");
        file->SetText("ファイル");
        bar->Append(file);
        app.SetMenuBar(bar);
    }
    void TearDown() override {
        PluginTest::TearDown();
        QApplication::setPalette(desktop_palette);
    }

    template <class T> std::shared_ptr<T> Add(const std::string& name, PropertyList list) {
        auto control = window->New<T>();
        control->SetName(name);
        window->AddControl(control);
        control->SetProperties(list);
        return control;
    }

    // A fixed window with one control of every kind, the top left corner left bare.
    void ShowWindow(PropertyList window_properties = {}) {
        if (GetParam() == When::BeforeBuild) QApplication::setPalette(DarkPalette());
        window = std::make_shared<Window>();
        window->on_layout = [this, window_properties] {
            window->SetProperties({{"Width", 281}, {"Height", 179}, {"Resizeable", false}});
            window->SetProperties(window_properties);
        };
        window->on_create_controls = [this] {
            label = Add<Label>("Label", {{"Left", 40},
                                         {"Top", 60},
                                         {"Width", 76},
                                         {"Height", 20},
                                         {"Text", "アラーム時刻"s}});
            status = Add<Label>("Status", {{"Left", 28},
                                           {"Top", 40},
                                           {"Width", 99},
                                           {"Height", 20},
                                           {"TextColor", Color{0x004080}}});
            button = Add<PushButton>("Button", {{"Left", 20},
                                                {"Top", 5},
                                                {"Width", 69},
                                                {"Height", 33},
                                                {"Caption", "スタート"s}});
            field = Add<TextField>(
                "Field",
                {{"Left", 118}, {"Top", 61}, {"Width", 38}, {"Height", 22}, {"Text", "7"s}});
            duration = Add<TextField>("Duration", {{"Left", 118},
                                                   {"Top", 105},
                                                   {"Width", 38},
                                                   {"Height", 22},
                                                   {"BackColor", Color{0x8000FE}},
                                                   {"TextColor", Color{0xFC6FCE}}});
            box = Add<GroupBox>(
                "Box",
                {{"Left", 54}, {"Top", 100}, {"Width", 221}, {"Height", 34}, {"Caption", "枠"s}});
            bevel = Add<BevelButton>(
                "Bevel",
                {{"Left", 190}, {"Top", 10}, {"Width", 77}, {"Height", 21}, {"HasMenu", 1}});
            arrows = Add<UpDownArrows>("Arrows",
                                       {{"Left", 155}, {"Top", 61}, {"Width", 13}, {"Height", 23}});
            wheel = Add<ProgressWheel>("Wheel",
                                       {{"Left", 6}, {"Top", 59}, {"Width", 16}, {"Height", 16}});
        };
        window->Show();
        if (GetParam() == When::WhileShown) QApplication::setPalette(DarkPalette());
        QApplication::processEvents();
    }

    QMainWindow& Host() { return *static_cast<QMainWindow*>(window->NativeWidget()); }

    // The colour drawn at `point` of the content area, in the whole window's picture.
    QColor ContentPixel(QPoint point) {
        QWidget* content = window->ContentWidget();
        const QImage shot = Host().grab().toImage();
        return shot.pixelColor(content->mapTo(&Host(), point));
    }

    static QColor Colour(QWidget* widget, QPalette::ColorRole role) {
        return widget->palette().color(QPalette::Active, role);
    }

    Application app;
    std::shared_ptr<MenuBar> bar;
    QPalette desktop_palette;
    std::shared_ptr<Label> label, status;
    std::shared_ptr<PushButton> button;
    std::shared_ptr<TextField> field, duration;
    std::shared_ptr<GroupBox> box;
    std::shared_ptr<BevelButton> bevel;
    std::shared_ptr<UpDownArrows> arrows;
    std::shared_ptr<ProgressWheel> wheel;
};
} // namespace

TEST_P(ContentPaletteTest, ContentAreaDrawsTheLightGroundUnderADarkPalette) {
    ShowWindow();
    ASSERT_EQ(Colour(&Host(), QPalette::Window), kDarkGround) << "the dark palette is in force";
    EXPECT_EQ(ContentPixel({2, 2}), kLightGround);
    EXPECT_EQ(ContentPixel({140, 170}), kLightGround);
}

TEST_P(ContentPaletteTest, ControlsTakeTheLightPaletteWhereTheLayoutNamesNoColour) {
    ShowWindow();
    EXPECT_EQ(Colour(label->NativeWidget(), QPalette::WindowText), kBlack);
    EXPECT_EQ(Colour(label->NativeWidget(), QPalette::Window), kLightGround);

    for (QWidget* pressable : {button->NativeWidget(), bevel->NativeWidget()}) {
        SCOPED_TRACE(pressable->metaObject()->className());
        EXPECT_EQ(Colour(pressable, QPalette::Button), kLightGround);
        EXPECT_EQ(Colour(pressable, QPalette::ButtonText), kBlack);
    }
    const auto arrow_buttons = arrows->NativeWidget()->findChildren<QToolButton*>();
    ASSERT_EQ(arrow_buttons.size(), 2);
    for (QToolButton* arrow : arrow_buttons) {
        EXPECT_EQ(Colour(arrow, QPalette::Button), kLightGround);
        EXPECT_EQ(Colour(arrow, QPalette::ButtonText), kBlack);
    }
    EXPECT_EQ(Colour(field->NativeWidget(), QPalette::Base), kWhite);
    EXPECT_EQ(Colour(field->NativeWidget(), QPalette::Text), kBlack);
    EXPECT_EQ(Colour(box->NativeWidget(), QPalette::WindowText), kBlack);
    EXPECT_EQ(Colour(wheel->NativeWidget(), QPalette::WindowText), kBlack);
    // A disabled control greys as it does on the light ground.
    button->SetEnabled(false);
    EXPECT_EQ(button->NativeWidget()->palette().color(QPalette::Disabled, QPalette::ButtonText),
              QColor(0xBE, 0xBE, 0xBE));
}

TEST_P(ContentPaletteTest, ColoursTheLayoutNamesStay) {
    ShowWindow();
    EXPECT_EQ(Colour(status->NativeWidget(), QPalette::WindowText), QColor(0x00, 0x40, 0x80));
    EXPECT_EQ(Colour(duration->NativeWidget(), QPalette::Base), QColor(0x80, 0x00, 0xFE));
    EXPECT_EQ(Colour(duration->NativeWidget(), QPalette::Text), QColor(0xFC, 0x6F, 0xCE));
    // Set while the window is shown, as the alarm engine does.
    status->SetTextColor(Color{0xFF6112});
    EXPECT_EQ(Colour(status->NativeWidget(), QPalette::WindowText), QColor(0xFF, 0x61, 0x12));
    EXPECT_EQ(Colour(status->NativeWidget(), QPalette::Window), kLightGround);
}

TEST_P(ContentPaletteTest, AWindowWithABackColourDrawsThatGround) {
    ShowWindow({{"HasBackColor", true}, {"BackColor", Color{0xFFFFFF}}});
    EXPECT_EQ(ContentPixel({2, 2}), kWhite);
    EXPECT_EQ(Colour(label->NativeWidget(), QPalette::WindowText), kBlack);
}

TEST_P(ContentPaletteTest, TheMenuBarFollowsTheDesktop) {
    ShowWindow();
    QMenuBar* menu_bar = Host().menuBar();
    ASSERT_NE(menu_bar, nullptr);
    EXPECT_EQ(Colour(menu_bar, QPalette::Window), kDarkGround);
    EXPECT_EQ(Colour(menu_bar, QPalette::ButtonText), kWhite);
    EXPECT_EQ(Colour(menu_bar, QPalette::WindowText), kWhite);
}

TEST(LightPaletteTest, IsQtsStandardLightPaletteInEveryRoleAndGroup) {
    EnsureTestApplication();
    // The offscreen platform has no desktop theme: its style's palette is the light one.
    const QPalette standard = QApplication::style()->standardPalette();
    const QPalette light = LightPalette();
    const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
    // As drawn: eight bits a channel (Qt derives some of its shades at sixteen).
    auto drawn = [](const QPalette& palette, QPalette::ColorGroup group, int role) {
        return palette.color(group, QPalette::ColorRole(role)).name(QColor::HexArgb).toStdString();
    };
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole) continue;
            EXPECT_EQ(drawn(light, group, role), drawn(standard, group, role))
                << roles.valueToKey(role) << " in group " << group;
        }
}

INSTANTIATE_TEST_SUITE_P(DarkPalette, ContentPaletteTest,
                         testing::Values(When::BeforeBuild, When::WhileShown),
                         [](const testing::TestParamInfo<When>& info) {
                             return info.param == When::BeforeBuild ? "BeforeBuild"s
                                                                    : "WhileShown"s;
                         });

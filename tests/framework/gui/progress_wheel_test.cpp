// The progress wheel's animation runs only while it can be seen.
#include "shell/framework/gui/progress_wheel.h"
#include "tests/framework/gui/appearance_controls.h"

#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

using namespace std::string_literals;

namespace {
const PropertyList kSpinner = {{"Name", "ProgressWheel1"s},
                               {"Left", 6},
                               {"Top", 59},
                               {"Width", 16},
                               {"Height", 16},
                               {"TabIndex", 16},
                               {"Visible", false},
                               {"Transparent", true},
                               {"LockTop", true},
                               {"LockLeft", true}};

class ProgressWheelTest : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        ShowWindowWith(wheel, kSpinner);
    }

    bool Spinning() {
        auto* timer = wheel->NativeWidget()->findChild<QTimer*>();
        return timer && timer->isActive();
    }

    std::shared_ptr<ProgressWheel> wheel = std::make_shared<ProgressWheel>();
};

TEST_F(ProgressWheelTest, SpinsOnlyWhileVisible) {
    ASSERT_NE(wheel->NativeWidget()->findChild<QTimer*>(), nullptr);
    EXPECT_FALSE(Spinning());
    wheel->SetVisible(true);
    EXPECT_TRUE(Spinning());
    wheel->SetVisible(false);
    EXPECT_FALSE(Spinning());
    wheel->SetVisible(true); // hidden and shown again, as the window's Activate does
    EXPECT_TRUE(Spinning());
}

TEST_F(ProgressWheelTest, StopsWhileItsWindowIsMinimisedOrHidden) {
    wheel->SetVisible(true);
    QWidget* top = window->NativeWidget();
    top->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(Spinning());
    top->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(Spinning());
    top->hide();
    EXPECT_FALSE(Spinning());
    top->show();
    EXPECT_TRUE(Spinning());
}

TEST_F(ProgressWheelTest, AWindowShownMinimisedSpinsOnlyOnceRestored) {
    wheel->SetVisible(true);
    QWidget* top = window->NativeWidget();
    top->hide();
    top->showMinimized();
    EXPECT_FALSE(Spinning());
    top->showNormal();
    EXPECT_TRUE(Spinning());
}

TEST_F(ProgressWheelTest, AHiddenWheelStaysStillWhenItsWindowIsRestored) {
    QWidget* top = window->NativeWidget();
    top->setWindowState(Qt::WindowMinimized);
    top->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(Spinning());
}
} // namespace

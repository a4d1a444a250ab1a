// The up/down arrows' glue over the plug-in: Up and Down by arrow half, never the focus.
#include "shell/framework/gui/up_down_arrows.h"
#include "tests/framework/gui/appearance_controls.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

using namespace std::string_literals;

namespace {
const PropertyList kHourArrows = {{"Name", "UpDownArrows1"s},
                                  {"Left", 155},
                                  {"Top", 61},
                                  {"Width", 13},
                                  {"Height", 23},
                                  {"TabIndex", 13},
                                  {"AcceptFocus", false},
                                  {"Transparent", true},
                                  {"LockTop", true},
                                  {"LockLeft", true}};

class UpDownArrowsTest : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        arrows->on_up = [this](UpDownArrows& sender) { events += sender.Name() + " Up;"; };
        arrows->on_down = [this](UpDownArrows& sender) { events += sender.Name() + " Down;"; };
        ShowWindowWith(arrows, kHourArrows);
    }

    // Clicks the arrow under `point` of the 13 × 23 control, as the mouse would.
    void ClickAt(QPoint point) {
        QWidget* arrow = arrows->NativeWidget()->childAt(point);
        ASSERT_NE(arrow, nullptr);
        QTest::mouseClick(arrow, Qt::LeftButton, {}, arrow->mapFrom(arrows->NativeWidget(), point));
    }

    std::shared_ptr<UpDownArrows> arrows = std::make_shared<UpDownArrows>();
    std::string events;
};

TEST_F(UpDownArrowsTest, TheUpperArrowRaisesUpAndTheLowerDown) {
    struct Case {
        QPoint point;
        std::string expected;
    };
    const Case cases[] = {{{6, 2}, "UpDownArrows1 Up;"},
                          {{6, 9}, "UpDownArrows1 Up;"},
                          {{6, 13}, "UpDownArrows1 Down;"},
                          {{6, 21}, "UpDownArrows1 Down;"}};
    for (const auto& c : cases) {
        events.clear();
        ClickAt(c.point);
        EXPECT_EQ(events, c.expected) << c.point.y();
    }
}

TEST_F(UpDownArrowsTest, NeverTakesTheFocus) {
    EXPECT_FALSE(arrows->AcceptFocus());
    QWidget* widget = arrows->NativeWidget();
    for (QPoint point : {QPoint(6, 5), QPoint(6, 17)}) {
        ClickAt(point);
        QWidget* arrow = widget->childAt(point);
        EXPECT_EQ(arrow->focusPolicy(), Qt::NoFocus);
        arrow->setFocus();
        EXPECT_FALSE(arrow->hasFocus());
    }
    EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(widget->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(UpDownArrowsTest, AcceptFocusCanBeGiven) {
    arrows->SetAcceptFocus(true);
    EXPECT_TRUE(arrows->AcceptFocus());
    EXPECT_NE(arrows->NativeWidget()->childAt(6, 5)->focusPolicy(), Qt::NoFocus);
}

TEST_F(UpDownArrowsTest, DisabledArrowsRaiseNothing) {
    arrows->SetEnabled(false);
    ClickAt({6, 5});
    ClickAt({6, 17});
    EXPECT_EQ(events, "");
}
} // namespace

// The window's key rules: KeyDown before the focused control for every key, Esc included;
// modifier keys alone are no key presses.
#include "shell/framework/gui/push_button.h"
#include "shell/framework/gui/text_field.h"
#include "shell/framework/gui/window.h"
#include "tests/support/gui_test.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

namespace {
class KeysTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        window = std::make_shared<Window>();
        window->on_layout = [this] {
            window->SetProperties({{"Width", 200}, {"Height", 100}, {"Resizeable", false}});
        };
        window->on_create_controls = [this] {
            field = Add<TextField>("Field", {{"Width", 80}, {"Height", 22}});
            read_only = Add<TextField>(
                "ReadOnly", {{"Top", 30}, {"Width", 80}, {"Height", 22}, {"ReadOnly", true}});
            cancel = Add<PushButton>(
                "Cancel", {{"Top", 60}, {"Width", 60}, {"Height", 30}, {"Cancel", true}});
        };
        window->on_key_down = [this](const std::string& key) {
            keys.push_back(key);
            text_at_key_down = field->Text();
            return consume;
        };
        ASSERT_TRUE(ShowActive(*window));
        cancel->on_action = [this](PushButton&) { ++cancel_presses; };
    }

    template <class T> std::shared_ptr<T> Add(const std::string& name, const PropertyList& list) {
        auto control = window->New<T>();
        control->SetName(name);
        window->AddControl(control);
        control->SetProperties(list);
        return control;
    }

    QLineEdit* Line(TextField& f) { return static_cast<QLineEdit*>(f.NativeWidget()); }

    std::shared_ptr<Window> window;
    std::shared_ptr<TextField> field, read_only;
    std::shared_ptr<PushButton> cancel;
    std::vector<std::string> keys;
    std::string text_at_key_down = "unset";
    bool consume = false;
    int cancel_presses = 0;
};
} // namespace

TEST_F(KeysTest, KeyPressReachesKeyDownOnceBeforeTheFocusedControl) {
    struct Case {
        const char* focus;   // the control with the focus, nullptr for none
        bool through_window; // the platform's road (QWindow) or straight to the widget
    };
    for (const Case& row : {Case{"Field", false}, Case{"Field", true}, Case{"ReadOnly", false},
                            Case{nullptr, false}}) {
        SCOPED_TRACE(row.focus ? row.focus : "no focus");
        keys.clear();
        field->SetText("");
        QWidget* target = window->NativeWidget();
        if (row.focus) {
            target = RuntimeCheckCast<TextField>(window->ControlByName(row.focus))->NativeWidget();
            target->setFocus();
        } else if (QApplication::focusWidget()) {
            QApplication::focusWidget()->clearFocus();
        }
        if (row.through_window)
            QTest::keyClick(window->NativeWidget()->windowHandle(), Qt::Key_A, Qt::NoModifier);
        else
            QTest::keyClick(target, Qt::Key_A);

        EXPECT_EQ(keys, std::vector<std::string>{"a"});
        EXPECT_EQ(text_at_key_down, "");
        EXPECT_EQ(field->Text(),
                  std::string(row.focus && row.focus == std::string_view("Field") ? "a" : ""));
    }
}

TEST_F(KeysTest, KeyDownReturningTrueConsumesTheKey) {
    consume = true;
    field->NativeWidget()->setFocus();
    QTest::keyClicks(field->NativeWidget(), "42");
    EXPECT_EQ(keys, (std::vector<std::string>{"4", "2"}));
    EXPECT_EQ(field->Text(), "");
}

TEST_F(KeysTest, EscAndReturnReachKeyDownAndPressNoButtonInAMainWindow) {
    // As Qt has it, only a dialog gives these keys to its cancel or default button.
    cancel->SetProperties({{"Default", true}});
    for (QWidget* target : {field->NativeWidget(), window->NativeWidget()}) {
        target->setFocus();
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
            QTest::keyClick(target, key);
    }
    EXPECT_EQ(keys.size(), 8u);
    EXPECT_EQ(cancel_presses, 0);
    EXPECT_EQ(field->Text(), " ") << "the focused field still gets the keys after KeyDown";
}

TEST_F(KeysTest, ModifierKeysAloneAreNoKeyPresses) {
    QWidget* focused = field->NativeWidget();
    focused->setFocus();
    // Sent as the platform would: QTest types only keys with a character.
    for (Qt::Key key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta, Qt::Key_AltGr,
                        Qt::Key_CapsLock, Qt::Key_Super_L}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(focused, &press);
    }
    EXPECT_TRUE(keys.empty());
    QTest::keyClick(focused, Qt::Key_B);
    EXPECT_EQ(keys, std::vector<std::string>{"b"});
}

TEST_F(KeysTest, KeysThatTypeNothingArePassedByName) {
    field->NativeWidget()->setFocus();
    for (Qt::Key key : {Qt::Key_F5, Qt::Key_Left, Qt::Key_Home})
        QTest::keyClick(field->NativeWidget(), key);
    EXPECT_EQ(keys, (std::vector<std::string>{"F5", "Left", "Home"}));
}

// Menus: the Qt menus built from the item tree, shortcuts taken before any control, and
// the Edit items on the focused text field.
#include "shell/framework/gui/application.h"
#include "shell/framework/gui/menu_item.h"
#include "shell/framework/gui/text_field.h"
#include "shell/framework/gui/window.h"
#include "tests/support/gui_test.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {
class CountingItem : public MenuItem {
  public:
    void Choose() override { ++chosen; }
    int chosen = 0;
};

struct ItemRow {
    const char* name;
    const char* text;
    const char* shortcut; // nullptr: never set
};

const ItemRow kEditItems[] = {
    {"EditUndo", "取り消す", "Cmd+Z"},  {"EditSeparator1", "-", nullptr},
    {"EditCut", "カット", "Cmd+X"},     {"EditCopy", "コピー", "Cmd+C"},
    {"EditPaste", "貼り付け", "Cmd+V"}, {"EditClear", "削除", ""},
    {"EditSeparator2", "-", nullptr},   {"EditSelectAll", "すべてを選択", "Cmd+A"},
};

template <class T = MenuItem>
std::shared_ptr<T> Item(const char* name, const char* text, const char* shortcut) {
    auto item = std::make_shared<T>();
    item->SetName(name);
    item->SetAutoEnable(true);
    item->SetText(text);
    if (shortcut) item->SetKeyboardShortcut(shortcut);
    return item;
}

class MenuTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        bar = std::make_shared<MenuBar>();
        bar->Append(Item("FileMenu", "ファイル", ""));
        bar->Child("FileMenu")->Append(Item<QuitMenuItem>("FileQuit", "終了", "Cmd+Q"));
        bar->Child("FileMenu")->Append(counting = Item<CountingItem>("FileMark", "A & B", "Cmd+K"));
        bar->Append(Item("EditMenu", "編集", ""));
        for (const auto& row : kEditItems)
            bar->Child("EditMenu")->Append(Item(row.name, row.text, row.shortcut));
        app.SetMenuBar(bar);

        window = std::make_shared<Window>();
        window->on_layout = [this] {
            window->SetProperties({{"Width", 200}, {"Height", 100}, {"Resizeable", false}});
        };
        window->on_create_controls = [this] {
            field = window->New<TextField>();
            field->SetName("Field");
            window->AddControl(field);
            field->SetProperties({{"Width", 120}, {"Height", 22}});
        };
        window->on_key_down = [this](const std::string& key) {
            keys.push_back(key);
            return false;
        };
        ASSERT_TRUE(ShowActive(*window));
        field->NativeWidget()->setFocus();
    }

    QMenuBar& Bar() { return *static_cast<QMainWindow*>(window->NativeWidget())->menuBar(); }
    QMenu& Menu(int index) { return *Bar().actions().at(index)->menu(); }
    QAction& EditAction(const char* text) {
        for (QAction* action : Menu(1).actions())
            if (action->text() == QString::fromUtf8(text)) return *action;
        throw std::runtime_error(std::string("no edit action ") + text);
    }
    QLineEdit& Line() { return *static_cast<QLineEdit*>(field->NativeWidget()); }

    Application app;
    std::shared_ptr<MenuBar> bar;
    std::shared_ptr<CountingItem> counting;
    std::shared_ptr<Window> window;
    std::shared_ptr<TextField> field;
    std::vector<std::string> keys;
};
} // namespace

TEST_F(MenuTest, QtMenusFollowTheItemTree) {
    ASSERT_EQ(Bar().actions().size(), 2);
    EXPECT_EQ(Bar().actions()[0]->text(), "ファイル");
    EXPECT_EQ(Bar().actions()[1]->text(), "編集");

    const auto file = Menu(0).actions();
    ASSERT_EQ(file.size(), 2);
    EXPECT_EQ(file[0]->text(), "終了");
    EXPECT_EQ(file[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(file[1]->text(), "A && B"); // shown as written, not as a mnemonic

    const auto edit = Menu(1).actions();
    ASSERT_EQ(edit.size(), static_cast<qsizetype>(std::size(kEditItems)));
    for (qsizetype i = 0; i < edit.size(); ++i) {
        const ItemRow& row = kEditItems[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(edit[i]->isSeparator(), std::string_view(row.text) == "-");
        // A separator's text would be drawn as a section heading.
        EXPECT_EQ(edit[i]->text(),
                  edit[i]->isSeparator() ? QString() : QString::fromUtf8(row.text));
        EXPECT_EQ(edit[i]->shortcut().isEmpty(), !row.shortcut || !*row.shortcut);
    }
    EXPECT_EQ(EditAction("すべてを選択").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
}

TEST_F(MenuTest, InvisibleItemIsHidden) {
    bar->Child("EditMenu")->Child("EditClear")->SetVisible(false);
    app.SetMenuBar(bar); // installs the bar again in the window already built
    EXPECT_FALSE(EditAction("削除").isVisible());
    EXPECT_TRUE(EditAction("コピー").isVisible());
}

TEST_F(MenuTest, ShortcutRunsItsItemBeforeTheFocusedFieldAndKeyDown) {
    QTest::keyClick(field->NativeWidget(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(counting->chosen, 1);
    EXPECT_TRUE(keys.empty());

    field->SetText("alarm");
    QTest::keyClick(field->NativeWidget(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Line().selectedText(), "alarm");
    EXPECT_TRUE(keys.empty());
}

TEST_F(MenuTest, EditItemsAreEnabledOnlyWhenTheyCanActOnTheFocusedField) {
    struct Case {
        bool read_only, selected, clipboard;
        bool undo, cut, copy, paste, clear, select_all;
    };
    const Case cases[] = {
        {false, false, false, true, false, false, false, false, true},
        {false, true, true, true, true, true, true, true, true},
        {true, true, true, false, false, true, false, false, true},
        {true, false, false, false, false, false, false, false, true},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(testing::Message() << "read-only " << row.read_only << ", selected "
                                        << row.selected << ", clipboard " << row.clipboard);
        field->SetReadOnly(false);
        Line().clear();
        QTest::keyClicks(&Line(), "0705"); // typed, so there is something to undo
        field->SetReadOnly(row.read_only);
        if (row.selected)
            Line().selectAll();
        else
            Line().deselect();
        QGuiApplication::clipboard()->setText(row.clipboard ? "12" : "");

        emit Menu(1).aboutToShow();

        EXPECT_EQ(EditAction("取り消す").isEnabled(), row.undo);
        EXPECT_EQ(EditAction("カット").isEnabled(), row.cut);
        EXPECT_EQ(EditAction("コピー").isEnabled(), row.copy);
        EXPECT_EQ(EditAction("貼り付け").isEnabled(), row.paste);
        EXPECT_EQ(EditAction("削除").isEnabled(), row.clear);
        EXPECT_EQ(EditAction("すべてを選択").isEnabled(), row.select_all);
    }
}

TEST_F(MenuTest, EditItemsEditTheFocusedField) {
    field->SetText("7");
    EditAction("すべてを選択").trigger();
    EditAction("コピー").trigger();
    Line().end(false);
    EditAction("貼り付け").trigger();
    EXPECT_EQ(field->Text(), "77");

    EditAction("すべてを選択").trigger();
    EditAction("削除").trigger();
    EXPECT_EQ(field->Text(), "");
}

TEST_F(MenuTest, DisabledShortcutIsAnOrdinaryKeyOnAReadOnlyField) {
    field->SetText("05");
    field->SetReadOnly(true);
    Line().selectAll();
    QGuiApplication::clipboard()->setText("");

    QTest::keyClick(field->NativeWidget(), Qt::Key_C, Qt::ControlModifier); // copy: allowed
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "05");
    EXPECT_TRUE(keys.empty());

    QTest::keyClick(field->NativeWidget(), Qt::Key_X, Qt::ControlModifier); // cut: not here
    EXPECT_EQ(keys.size(), 1u);
    EXPECT_EQ(field->Text(), "05");
}

TEST_F(MenuTest, WindowsBuiltLaterGetTheBarToo) {
    auto later = std::make_shared<Window>();
    later->Show();
    auto* native = static_cast<QMainWindow*>(later->NativeWidget());
    ASSERT_NE(native->menuWidget(), nullptr);
    EXPECT_EQ(native->menuBar()->actions().size(), 2);
}

// The menu bar's structure against its table.
#include "shell/main_menu_bar.h"

#include <gtest/gtest.h>
#include <optional>

namespace {
struct Row {
    const char* name;
    const char* text;
    std::optional<const char*> shortcut; // nullopt: never set
    bool quit_item = false;
};

void ExpectMenu(const MenuItem& menu, const std::vector<Row>& rows) {
    ASSERT_EQ(menu.Count(), static_cast<int32_t>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        auto item = menu.Item(static_cast<int32_t>(i));
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(item->Name(), rows[i].name);
        EXPECT_EQ(item->Text(), rows[i].text);
        EXPECT_EQ(item->HasKeyboardShortcutSet(), rows[i].shortcut.has_value());
        if (rows[i].shortcut) {
            EXPECT_EQ(item->KeyboardShortcut(), *rows[i].shortcut);
        }
        EXPECT_TRUE(item->AutoEnable());
        EXPECT_TRUE(item->Visible());
        EXPECT_EQ(dynamic_cast<QuitMenuItem*>(item.get()) != nullptr, rows[i].quit_item);
    }
}
} // namespace

TEST(MainMenuBarTest, HoldsFileAndEditWithTheirItemsInOrder) {
    auto bar = MainMenuBar();
    ExpectMenu(*bar, {{"FileMenu", "ファイル", ""}, {"EditMenu", "編集", ""}});
    ExpectMenu(*bar->Child("FileMenu"), {{"FileQuit", "終了", "Cmd+Q", true}});
    ExpectMenu(*bar->Child("EditMenu"), {{"EditUndo", "取り消す", "Cmd+Z"},
                                         {"EditSeparator1", "-", std::nullopt},
                                         {"EditCut", "カット", "Cmd+X"},
                                         {"EditCopy", "コピー", "Cmd+C"},
                                         {"EditPaste", "貼り付け", "Cmd+V"},
                                         {"EditClear", "削除", ""},
                                         {"EditSeparator2", "-", std::nullopt},
                                         {"EditSelectAll", "すべてを選択", "Cmd+A"}});
    EXPECT_TRUE(bar->Child("EditMenu")->Item(1)->IsSeparator());
}

TEST(MainMenuBarTest, IsBuiltOnceAndHandedOutAgain) {
    auto first = MainMenuBar();
    auto second = MainMenuBar();
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->Count(), 2);
    EXPECT_EQ(first->Child("EditMenu")->Count(), 8);
}

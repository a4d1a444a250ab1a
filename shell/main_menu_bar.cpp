#include "shell/main_menu_bar.h"

#include "shell/framework/core/exceptions.h"

#include <optional>
#include <string>

std::shared_ptr<class MainMenuBar> MainMenuBar::_implicitInstance;

namespace {
struct Entry {
    const char* name;
    bool quit_item;
    const char* menu; // nullptr: appended to the bar
    const char* text;
    std::optional<const char*> shortcut; // separators never have one set
};

constexpr Entry kFileMenu[] = {
    {"FileMenu", false, nullptr, "ファイル", ""},
    {"FileQuit", true, "FileMenu", "終了", "Cmd+Q"},
};

constexpr Entry kEditMenu[] = {
    {"EditMenu", false, nullptr, "編集", ""},
    {"EditUndo", false, "EditMenu", "取り消す", "Cmd+Z"},
    {"EditSeparator1", false, "EditMenu", "-", std::nullopt},
    {"EditCut", false, "EditMenu", "カット", "Cmd+X"},
    {"EditCopy", false, "EditMenu", "コピー", "Cmd+C"},
    {"EditPaste", false, "EditMenu", "貼り付け", "Cmd+V"},
    {"EditClear", false, "EditMenu", "削除", ""},
    {"EditSeparator2", false, "EditMenu", "-", std::nullopt},
    {"EditSelectAll", false, "EditMenu", "すべてを選択", "Cmd+A"},
};

// Each entry is created, set up and appended before the next one is created; a menu
// is looked up on the bar by name again for every item.
template <std::size_t N> void Build(class MainMenuBar& bar, const Entry (&entries)[N]) {
    for (const auto& entry : entries) {
        std::shared_ptr<MenuItem> item =
            entry.quit_item ? std::make_shared<QuitMenuItem>() : std::make_shared<MenuItem>();
        item->SetName(entry.name);
        item->SetAutoEnable(true);
        item->SetText(entry.text);
        item->SetVisible(true);
        if (entry.shortcut) item->SetKeyboardShortcut(*entry.shortcut);
        if (entry.menu) {
            NotNil(bar.Child(entry.menu)).Append(item);
        } else {
            bar.Append(item);
        }
    }
}
} // namespace

void MainMenuBar::Constructor() {
    Untitled0();
    Untitled1();
}

void MainMenuBar::Untitled0() {
    Build(*this, kFileMenu);
}

void MainMenuBar::Untitled1() {
    Build(*this, kEditMenu);
}

std::shared_ptr<class MainMenuBar> MainMenuBar() {
    if (!MainMenuBar::_implicitInstance) {
        auto bar = std::make_shared<class MainMenuBar>();
        bar->Constructor();
        MainMenuBar::_implicitInstance = bar;
    }
    return MainMenuBar::_implicitInstance;
}

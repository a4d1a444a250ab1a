#pragma once
// Menus: a MenuBar holds menus, a menu holds items. Text "-" is a separator;
// shortcuts are written "Cmd+Q" (Cmd is Ctrl on Linux).

#include "shell/framework/core/object.h"

#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

class MenuItem : public Object {
  public:
    ~MenuItem() override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) { text_ = text; }
    const std::string& KeyboardShortcut() const { return shortcut_; }
    void SetKeyboardShortcut(const std::string& shortcut);
    // True when SetKeyboardShortcut was called (even with empty text).
    bool HasKeyboardShortcutSet() const { return shortcut_set_; }
    bool AutoEnable() const { return auto_enable_; }
    void SetAutoEnable(bool value) { auto_enable_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }

    void Append(const std::shared_ptr<MenuItem>& item);
    // The direct child named `name`, nil when there is none.
    std::shared_ptr<MenuItem> Child(const std::string& name) const;
    int32_t Count() const { return static_cast<int32_t>(children_.size()); }
    std::shared_ptr<MenuItem> Item(int32_t index) const;
    bool IsSeparator() const { return text_ == "-"; }

    // What choosing the item does; the framework's own behaviour by default.
    virtual void Choose();
    // Whether the item can act now (AutoEnable items of the Edit menu).
    virtual bool CanAct() const;

  private:
    std::string name_, text_, shortcut_;
    bool shortcut_set_ = false, auto_enable_ = false, visible_ = true;
    std::vector<std::shared_ptr<MenuItem>> children_;
};

// Choosing it quits the application.
class QuitMenuItem : public MenuItem {
  public:
    void Choose() override;
};

class MenuBar : public MenuItem {};

// Builds the Qt menus of `bar` into a window's menu bar widget (framework-internal).
void InstallMenuBar(const MenuBar& bar, QWidget* window);

#include "shell/framework/gui/menu_item.h"

#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/runtime.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

namespace {
bool Shows(const QLineEdit& field) {
    return field.echoMode() == QLineEdit::Normal; // a password is never copied out
}

// The Edit menu's standard commands, recognised by item name, on the focused field.
// A read-only field allows copying and selecting only.
struct EditCommand {
    const char* name;
    bool (*can_act)(const QLineEdit& field);
    void (*act)(QLineEdit& field);
};

constexpr EditCommand kEditCommands[] = {
    {"EditUndo", [](const QLineEdit& f) { return f.isUndoAvailable(); },
     [](QLineEdit& f) { f.undo(); }},
    {"EditCut",
     [](const QLineEdit& f) { return !f.isReadOnly() && f.hasSelectedText() && Shows(f); },
     [](QLineEdit& f) { f.cut(); }},
    {"EditCopy", [](const QLineEdit& f) { return f.hasSelectedText() && Shows(f); },
     [](QLineEdit& f) { f.copy(); }},
    {"EditPaste",
     [](const QLineEdit& f) {
         return !f.isReadOnly() && !QGuiApplication::clipboard()->text().isEmpty();
     },
     [](QLineEdit& f) { f.paste(); }},
    {"EditClear", [](const QLineEdit& f) { return !f.isReadOnly() && f.hasSelectedText(); },
     [](QLineEdit& f) { f.del(); }},
    {"EditSelectAll", [](const QLineEdit& f) { return !f.text().isEmpty(); },
     [](QLineEdit& f) { f.selectAll(); }},
};

const EditCommand* EditCommandNamed(const std::string& name) {
    for (const auto& command : kEditCommands)
        if (name == command.name) return &command;
    return nullptr;
}

QLineEdit* FocusedField() {
    QWidget* focused = QApplication::focusWidget();
    if (!focused && QApplication::activeWindow())
        focused = QApplication::activeWindow()->focusWidget();
    return qobject_cast<QLineEdit*>(focused);
}
} // namespace

MenuItem::~MenuItem() = default;

void MenuItem::SetKeyboardShortcut(const std::string& shortcut) {
    shortcut_ = shortcut;
    shortcut_set_ = true;
}

void MenuItem::Append(const std::shared_ptr<MenuItem>& item) {
    NotNil(item);
    children_.push_back(item);
}

std::shared_ptr<MenuItem> MenuItem::Child(const std::string& name) const {
    for (const auto& child : children_)
        if (child->Name() == name) return child;
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Item(int32_t index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return children_[static_cast<std::size_t>(index)];
}

void MenuItem::Choose() {
    const EditCommand* command = EditCommandNamed(name_);
    QLineEdit* field = command ? FocusedField() : nullptr;
    if (field && command->can_act(*field)) command->act(*field);
}

bool MenuItem::CanAct() const {
    const EditCommand* command = EditCommandNamed(name_);
    if (!command) return true;
    QLineEdit* field = FocusedField();
    return field && command->can_act(*field);
}

void QuitMenuItem::Choose() {
    Quit(0);
}

// The Qt menus of a MenuBar: one QMenuBar per window, built from the item tree.
#include "shell/framework/gui/menu_bar_qt.h"

#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/menu_item.h"
#include "shell/framework/gui/qt_values.h"

#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {
// "Cmd+Q" names the platform's primary modifier, which is Ctrl here.
QKeySequence ShortcutFor(const std::string& text) {
    QString portable = ToQString(text);
    portable.replace(QLatin1String("Cmd"), QLatin1String("Ctrl"));
    return QKeySequence::fromString(portable, QKeySequence::PortableText);
}

MenuItem* ItemOf(const QAction& action) {
    return static_cast<MenuItem*>(action.data().value<void*>());
}

void UpdateEnabled(QAction& action) {
    if (const MenuItem* item = ItemOf(action))
        action.setEnabled(!item->AutoEnable() || item->CanAct());
}

void AddItems(const MenuItem& parent, QWidget& container) {
    for (int32_t i = 0; i < parent.Count(); ++i) {
        std::shared_ptr<MenuItem> item = parent.Item(i);
        QAction* action = nullptr;
        if (item->Count() > 0) {
            auto* menu = new QMenu(ToCaption(item->Text()), &container);
            QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] {
                for (QAction* entry : menu->actions())
                    UpdateEnabled(*entry);
            });
            AddItems(*item, *menu);
            action = menu->menuAction();
        } else {
            // A separator with text is drawn as a section heading: it gets none.
            action =
                new QAction(item->IsSeparator() ? QString() : ToCaption(item->Text()), &container);
            action->setSeparator(item->IsSeparator());
            action->setShortcut(ShortcutFor(item->KeyboardShortcut()));
            QObject::connect(action, &QAction::triggered, action,
                             [item] { RuntimeDispatch([&item] { item->Choose(); }); });
        }
        // The action's functor holds the item; the data only points back to it.
        action->setData(QVariant::fromValue(static_cast<void*>(item.get())));
        action->setVisible(item->Visible());
        container.addAction(action);
    }
}
} // namespace

void InstallMenuBar(const MenuBar& bar, QWidget* window) {
    auto* main_window = qobject_cast<QMainWindow*>(window);
    if (!main_window) return;
    auto* menu_bar = new QMenuBar(main_window);
    AddItems(bar, *menu_bar);
    main_window->setMenuBar(menu_bar); // replaces (and deletes) an earlier bar
}

bool PrepareMenuShortcut(QWidget& window, const QKeyEvent& event) {
    auto* main_window = qobject_cast<QMainWindow*>(&window);
    if (!main_window || !main_window->menuWidget()) return false;
    const QKeySequence pressed(event.keyCombination());
    for (QAction* action : main_window->menuWidget()->findChildren<QAction*>()) {
        if (action->shortcut().isEmpty() || action->shortcut() != pressed) continue;
        UpdateEnabled(*action);
        return action->isEnabled() && action->isVisible();
    }
    return false;
}

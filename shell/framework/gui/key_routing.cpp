#include "shell/framework/gui/key_routing.h"

#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/menu_bar_qt.h"
#include "shell/framework/gui/window.h"
#include "shell/framework/gui/window_host.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <algorithm>

namespace {
constexpr Qt::Key kModifierKeys[] = {
    Qt::Key_Shift,   Qt::Key_Control,  Qt::Key_Meta,    Qt::Key_Alt,
    Qt::Key_AltGr,   Qt::Key_Super_L,  Qt::Key_Super_R, Qt::Key_Hyper_L,
    Qt::Key_Hyper_R, Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_ScrollLock,
};

bool IsModifierKey(int key) {
    return std::ranges::find(kModifierKeys, key) != std::end(kModifierKeys);
}

// The typed text, or the key's name for keys that type none ("Left", "F5").
std::string KeyText(const QKeyEvent& event) {
    if (!event.text().isEmpty()) return event.text().toStdString();
    return QKeySequence(event.key()).toString(QKeySequence::PortableText).toStdString();
}

class KeyRouter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event == delivering_ || !receiver->isWidgetType()) return false;
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        auto* widget = static_cast<QWidget*>(receiver);
        Window* window = WindowOf(widget);
        if (!window) return false;
        auto& key = *static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::ShortcutOverride) {
            // Left unaccepted, the key goes to the menu's shortcut before any control
            // (a text field would otherwise keep Ctrl+C and the like for itself).
            if (!PrepareMenuShortcut(*widget->window(), key)) return false;
            key.ignore();
            return true;
        }
        return RouteKeyPress(*window, *widget, key);
    }

  private:
    bool RouteKeyPress(Window& window, QWidget& receiver, QKeyEvent& key) {
        if (IsModifierKey(key.key())) return false;
        // A handler may close the window and with it delete the receiver.
        auto keep = window.weak_from_this().lock();
        QPointer<QWidget> alive(&receiver);
        bool handled = false;
        RuntimeDispatch([&] { handled = window.on_key_down && window.on_key_down(KeyText(key)); });
        if (!handled) {
            // The focused control and, when it declines, its parents get the key now;
            // the filter lets that pass through so the window sees the key only once.
            delivering_ = &key;
            if (alive) QApplication::instance()->notify(&receiver, &key);
            delivering_ = nullptr;
        }
        key.accept();
        return true;
    }

    const QEvent* delivering_ = nullptr;
};
} // namespace

void InstallKeyRouting() {
    static QPointer<KeyRouter> router;
    if (router) return;
    router = new KeyRouter(QApplication::instance());
    QApplication::instance()->installEventFilter(router);
}

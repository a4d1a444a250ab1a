#include "shell/framework/gui/window_host.h"

#include "shell/framework/gui/menu_item.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <algorithm>

namespace {
std::vector<WindowHost*>& Hosts() {
    static std::vector<WindowHost*> hosts;
    return hosts;
}
} // namespace

WindowHost::WindowHost(Window& owner) : owner_(owner) {
    auto* content = new QWidget(this);
    setCentralWidget(content);
    Hosts().push_back(this);
}

WindowHost::~WindowHost() {
    std::erase(Hosts(), this);
}

QPoint WindowHost::ContentOffset() {
    // Until shown, the layout is only settled on request.
    if (layout()) layout()->activate();
    return centralWidget()->pos();
}

void WindowHost::InstallMenu(const std::shared_ptr<MenuBar>& bar) {
    if (bar) {
        InstallMenuBar(*bar, this);
    } else if (menuWidget()) {
        setMenuBar(nullptr);
    }
}

void WindowHost::closeEvent(QCloseEvent* event) {
    // A close is never refused; the owner runs its Close event once.
    if (on_close) on_close();
    event->accept();
}

bool WindowHost::event(QEvent* event) {
    if (on_activation && event->type() == QEvent::WindowActivate) on_activation(true);
    if (on_activation && event->type() == QEvent::WindowDeactivate) on_activation(false);
    return QMainWindow::event(event);
}

const std::vector<WindowHost*>& AllWindowHosts() {
    return Hosts();
}

Window* WindowOf(const QWidget* widget) {
    if (!widget) return nullptr;
    auto* host = dynamic_cast<WindowHost*>(widget->window());
    return host ? &host->Owner() : nullptr;
}

#include "shell/framework/window_host.h"

#include "shell/framework/menu_item.h"
#include "shell/framework/window.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <algorithm>

namespace {
std::vector<WindowHost*>& Hosts() {
    static std::vector<WindowHost*> hosts;
    return hosts;
}

std::weak_ptr<MenuBar>& CurrentBar() {
    static std::weak_ptr<MenuBar> bar;
    return bar;
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
    owner_.ApplyProperties(); // MenuBarVisible, and the size around the new bar
}

void WindowHost::closeEvent(QCloseEvent* event) {
    // A close is never refused; the owner runs its Close event once.
    owner_.HandleClose();
    event->accept();
}

bool WindowHost::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) owner_.HandleActivation(true);
    if (event->type() == QEvent::WindowDeactivate) owner_.HandleActivation(false);
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

std::shared_ptr<MenuBar> ApplicationMenuBar() {
    return CurrentBar().lock();
}

void SetApplicationMenuBar(const std::shared_ptr<MenuBar>& bar) {
    CurrentBar() = bar;
    for (auto* host : Hosts())
        if (host->Owner().IsBuilt()) host->InstallMenu(bar);
}

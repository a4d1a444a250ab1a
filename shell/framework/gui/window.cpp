#include "shell/framework/gui/window.h"

#include "shell/framework/core/control.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/key_routing.h"
#include "shell/framework/gui/rect_control.h"
#include "shell/framework/gui/window_host.h"
#include "shell/framework/gui/window_placement.h"

#include <QApplication>
#include <algorithm>
#include <map>

namespace {
std::weak_ptr<MenuBar>& CurrentBar() {
    static std::weak_ptr<MenuBar> bar;
    return bar;
}

// Never destroyed: a window left at exit must not outlive Qt's own statics.
std::map<std::string, std::shared_ptr<Window>>& ImplicitWindows() {
    static auto* windows = new std::map<std::string, std::shared_ptr<Window>>;
    return *windows;
}
} // namespace

Window::Window() = default;

Window::~Window() {
    // Controls first: each deletes its own widget while the content area still exists.
    controls_.clear();
}

WindowHost& Window::Host() const {
    if (!host_) {
        if (!QApplication::instance()) throw RuntimeException("a window needs the event loop");
        auto& self = const_cast<Window&>(*this);
        host_ = std::make_unique<WindowHost>(self);
        host_->on_close = [&self] { self.HandleClose(); };
        host_->on_activation = [&self](bool active) { self.HandleActivation(active); };
    }
    return *host_;
}

QWidget* Window::NativeWidget() const {
    return &Host();
}

QWidget* Window::ContentWidget() const {
    return Host().Content();
}

void Window::Show() {
    auto& host = Host();
    if (!built_) Build();
    closed_ = false;
    // A ringing alarm shows its window again: a minimised one comes back up.
    if (host.isMinimized()) host.setWindowState(host.windowState() & ~Qt::WindowMinimized);
    const auto* full_screen = StoredProperty("FullScreen");
    if (full_screen && AsBool("FullScreen", *full_screen))
        host.showFullScreen();
    else {
        KeepOnScreen(host); // after Open has put it where it was saved, and at every ring
        host.show();
    }
    host.raise();
    host.activateWindow();
}

void Window::Build() {
    built_ = true;
    auto keep = weak_from_this().lock(); // a handler may drop the last other reference
    InstallKeyRouting();
    // The menu bar first, so that Top and Left mean the content area in Open already.
    InstallMenu(ApplicationMenuBar());
    RuntimeDispatch([this] {
        if (on_layout) on_layout();
    });
    RuntimeDispatch([this] {
        if (on_create_controls) on_create_controls();
    });
    PlaceCentred(Host());
    const auto created = controls_; // an Open handler may add controls
    for (const auto& control : created)
        RuntimeDispatch([&control] { control->RaiseOpen(); });
    ApplyTabOrder();
    RuntimeDispatch([this] {
        if (on_open) on_open();
    });
}

void Window::ApplyTabOrder() {
    // Among the controls that take the focus by Tab, in TabIndex order (ties: creation).
    std::vector<RectControl*> ordered;
    for (const auto& control : controls_) {
        auto* rect = dynamic_cast<RectControl*>(control.get());
        if (rect && (rect->NativeWidget()->focusPolicy() & Qt::TabFocus)) ordered.push_back(rect);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](auto* a, auto* b) { return a->TabIndex() < b->TabIndex(); });
    for (std::size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1]->NativeWidget(), ordered[i]->NativeWidget());
}

void Window::InstallMenu(const std::shared_ptr<MenuBar>& bar) {
    Host().InstallMenu(bar);
    ApplyProperties(); // MenuBarVisible, and the size around the new bar
}

void Window::Close() {
    // Only an open window closes; a Close from its own Close handler does nothing.
    if (!built_ || closing_ || closed_ || !host_ || !host_->isVisible()) return;
    host_->close();
}

void Window::HandleClose() {
    if (!built_ || closing_ || closed_) return;
    auto keep = weak_from_this().lock();
    closing_ = true;
    RuntimeDispatch([this] {
        if (on_close) on_close();
    });
    closing_ = false;
    closed_ = true;
}

void Window::HandleActivation(bool active) {
    if (!built_) return;
    auto keep = weak_from_this().lock();
    RuntimeDispatch([this, active] {
        auto& handler = active ? on_activate : on_deactivate;
        if (handler) handler();
    });
}

int32_t Window::Top() const {
    return ContentPosition(Host()).y();
}

void Window::SetTop(int32_t top) {
    MoveContentTo(Host(), {Left(), top});
}

int32_t Window::Left() const {
    return ContentPosition(Host()).x();
}

void Window::SetLeft(int32_t left) {
    MoveContentTo(Host(), {left, Top()});
}

void Window::AddControl(const std::shared_ptr<Control>& control) {
    NotNil(control).SetWindow(std::static_pointer_cast<Window>(shared_from_this()));
    controls_.push_back(control);
    if (auto* rect = dynamic_cast<RectControl*>(control.get())) {
        QWidget* widget = rect->NativeWidget();
        if (widget->parentWidget() != ContentWidget()) {
            widget->setParent(ContentWidget());
            widget->setVisible(rect->Visible());
        }
    }
}

std::shared_ptr<Control> Window::ControlByName(const std::string& name) const {
    for (const auto& control : controls_)
        if (control->Name() == name) return control;
    return nullptr;
}

std::shared_ptr<Window> GetImplicitWindow(const std::string& full_class_name) {
    auto found = ImplicitWindows().find(full_class_name);
    return found == ImplicitWindows().end() ? nullptr : found->second;
}

void RegisterImplicitWindow(const std::string& full_class_name, std::shared_ptr<Window> window) {
    ImplicitWindows()[full_class_name] = std::move(window);
}

void ReleaseImplicitWindows() {
    auto windows = std::move(ImplicitWindows());
    ImplicitWindows().clear();
}

std::shared_ptr<MenuBar> ApplicationMenuBar() {
    return CurrentBar().lock();
}

void SetApplicationMenuBar(const std::shared_ptr<MenuBar>& bar) {
    CurrentBar() = bar;
    for (auto* host : AllWindowHosts())
        if (host->Owner().IsBuilt()) host->Owner().InstallMenu(bar);
}

#pragma once
// A top-level window: built from a property list, holding its controls by name.
// Top and Left are the content area's position on screen.

#include "shell/framework/core/object.h"
#include "shell/framework/core/property_list.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Control;
class MenuBar;
class QWidget;
class WindowHost;

class Window : public Object {
  public:
    Window();
    ~Window() override;

    // Events, raised on the UI thread. Layout and CreateControls come while the window
    // is built (at its first Show), then every control's Open, then Open.
    std::function<void()> on_layout, on_create_controls, on_open, on_close, on_activate,
        on_deactivate;
    // False: not handled, the key goes on to the focused control.
    std::function<bool(const std::string& key)> on_key_down;

    // Builds the window when needed, shows it, raises it and activates it.
    void Show();
    // Closes the window: its Close event runs once.
    void Close();
    // True once a close has run, until the window is shown again.
    bool IsClosed() const { return closed_; }
    // True from the first Show on: the window's events have been raised.
    bool IsBuilt() const { return built_; }

    int32_t Top() const;
    void SetTop(int32_t top);
    int32_t Left() const;
    void SetLeft(int32_t left);
    int32_t Width() const;
    int32_t Height() const;
    std::string Title() const;

    // _SetProperties: the window's own property list (Width, Height, Title, CloseButton …).
    // An unknown name or a value of the wrong type raises RuntimeException.
    void SetProperties(const PropertyList& list);
    // A stored value of the window's property list, for properties with no getter.
    const PropertyValue* StoredProperty(const std::string& name) const;

    // __New: a new control of class T, not yet registered.
    template <class T> std::shared_ptr<T> New() { return std::make_shared<T>(); }
    // _AddControl: registers the control under its name and places it in the window.
    void AddControl(const std::shared_ptr<Control>& control);
    // _ControlByName: the control registered under `name`, nil when there is none.
    std::shared_ptr<Control> ControlByName(const std::string& name) const;
    const std::vector<std::shared_ptr<Control>>& Controls() const { return controls_; }

    // The Qt window, for the framework and for tests' clicks and keys.
    QWidget* NativeWidget() const;
    // The parent widget that controls are placed in.
    QWidget* ContentWidget() const;

  private:
    void Build();
    void ApplyProperties();
    void ApplyTabOrder();
    // The Qt window, created on first use.
    WindowHost& Host() const;
    // From the host: the platform's close (the user's or Close's) and (de)activation.
    void HandleClose();
    void HandleActivation(bool active);
    // Shows the bar (nil: none) and re-applies the size around it.
    void InstallMenu(const std::shared_ptr<MenuBar>& bar);
    friend void SetApplicationMenuBar(const std::shared_ptr<MenuBar>& bar);
    mutable std::unique_ptr<WindowHost> host_;
    PropertyList stored_;
    std::vector<std::shared_ptr<Control>> controls_;
    bool built_ = false, closing_ = false, closed_ = false;
};

// _GetImplicitWindow: the window registered under its full class name, nil when none.
std::shared_ptr<Window> GetImplicitWindow(const std::string& full_class_name);
void RegisterImplicitWindow(const std::string& full_class_name, std::shared_ptr<Window> window);
// Destroys the implicit windows once the event loop has ended.
void ReleaseImplicitWindows();

// The menu bar Application::SetMenuBar set last (nil when none): every window built
// from then on shows it, and setting it installs it in the windows already built.
std::shared_ptr<MenuBar> ApplicationMenuBar();
void SetApplicationMenuBar(const std::shared_ptr<MenuBar>& bar);

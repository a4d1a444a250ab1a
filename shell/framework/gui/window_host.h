#pragma once
// The Qt side of a Window: a main window whose central widget is the fixed content area
// and whose menu bar (the per-window bar of Linux) sits above it. The window owns its
// host and listens through the callbacks; the host never reaches back into the window.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class MenuBar;
class Window;

class WindowHost : public QMainWindow {
  public:
    explicit WindowHost(Window& owner);
    ~WindowHost() override;

    // The platform's close (the user's or Close's), and (de)activation.
    std::function<void()> on_close;
    std::function<void(bool active)> on_activation;

    // The content area's position the program last asked for: all that is known of it where
    // the platform never says where a window is (Wayland).
    QPoint asked_position;

    Window& Owner() const { return owner_; }
    QWidget* Content() const { return centralWidget(); }
    // The content area's offset inside the window's client area, with the layout settled.
    QPoint ContentOffset();
    // Puts the menu bar in, or takes it away for nil; the window then re-applies its size.
    void InstallMenu(const std::shared_ptr<MenuBar>& bar);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    Window& owner_;
};

// Every host that exists, oldest first.
const std::vector<WindowHost*>& AllWindowHosts();
// The framework window a widget belongs to; nullptr for any other widget.
Window* WindowOf(const QWidget* widget);

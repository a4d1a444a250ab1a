#pragma once
// The application's menu bar: File with Quit, Edit with the standard editing commands.
// No item has a handler of the program's own.

#include "shell/framework/gui/menu_item.h"

#include <memory>

class MainMenuBar : public MenuBar {
  public:
    // Builds the File menu, then the Edit menu.
    void Constructor();
    void Untitled0();
    void Untitled1();

    // The single instance: nil until the accessor's first call, nil again after exit.
    static std::shared_ptr<MainMenuBar> _implicitInstance;
};

// The single menu bar, created on the first call.
std::shared_ptr<class MainMenuBar> MainMenuBar();

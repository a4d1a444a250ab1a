#pragma once
// The application object: its Open event, its menu bar, the running executable.

#include "shell/framework/core/object.h"

#include <functional>
#include <memory>
#include <string>

class FolderItem;
class MenuBar;

class Application : public Object {
  public:
    // Raised once, when the event loop starts.
    std::function<void()> on_open;

    std::shared_ptr<class MenuBar> MenuBar() const { return menu_bar_; }
    void SetMenuBar(std::shared_ptr<class MenuBar> menu_bar);
    // The running executable, links resolved.
    std::shared_ptr<FolderItem> ExecutableFile() const;

    static void SetSupportsHiDPI(bool supported);
    static bool SupportsHiDPI();

  private:
    std::shared_ptr<class MenuBar> menu_bar_;
};

// Tests point ExecutableFile at a package laid out in a temporary folder.
void SetExecutablePathForTesting(const std::string& native_path);

#include "shell/framework/gui/application.h"

#include "shell/framework/core/folder_item.h"
#include "shell/framework/gui/menu_item.h"
#include "shell/framework/gui/window.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace {
bool supports_hidpi = false;

std::string& ExecutablePathForTesting() {
    static std::string path;
    return path;
}

// The running executable with its links resolved. A binary replaced while it runs
// reads as "… (deleted)"; its former path is still the package's.
std::string RunningExecutablePath() {
    char resolved[PATH_MAX];
    if (realpath("/proc/self/exe", resolved)) return resolved;
    const ssize_t length = readlink("/proc/self/exe", resolved, sizeof resolved - 1);
    if (length <= 0) return "";
    std::string path(resolved, static_cast<std::size_t>(length));
    const std::string deleted = " (deleted)";
    if (path.ends_with(deleted)) path.resize(path.size() - deleted.size());
    return path;
}
} // namespace

void Application::SetMenuBar(std::shared_ptr<class MenuBar> menu_bar) {
    menu_bar_ = std::move(menu_bar);
    SetApplicationMenuBar(menu_bar_);
}

std::shared_ptr<FolderItem> Application::ExecutableFile() const {
    std::string path = ExecutablePathForTesting();
    if (path.empty()) path = RunningExecutablePath();
    if (path.empty()) return nullptr;
    return std::make_shared<FolderItem>(path);
}

// Qt 6 scales for high-resolution displays by itself; the declaration is recorded.
void Application::SetSupportsHiDPI(bool supported) {
    supports_hidpi = supported;
}

bool Application::SupportsHiDPI() {
    return supports_hidpi;
}

void SetExecutablePathForTesting(const std::string& native_path) {
    ExecutablePathForTesting() = native_path;
}

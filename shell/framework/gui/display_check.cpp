#include "shell/framework/gui/display_check.h"

#include <cstdlib>
#include <sys/stat.h>
#include <xcb/xcb.h>

namespace {
bool X11Reachable() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

bool WaylandReachable() {
    const char* runtime_dir = std::getenv("XDG_RUNTIME_DIR");
    const char* display = std::getenv("WAYLAND_DISPLAY");
    if (!display || !*display) return false;
    const std::string socket = display[0] == '/' ? std::string(display)
                               : runtime_dir     ? std::string(runtime_dir) + "/" + display
                                                 : std::string();
    struct stat info {};
    return !socket.empty() && stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}
} // namespace

std::string DisplayProblem() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return "";
    if (X11Reachable() || WaylandReachable()) return "";
    const char* display = std::getenv("DISPLAY");
    if (display && *display) return std::string("cannot connect to the X display ") + display;
    return "DISPLAY is not set and no Wayland display was found";
}

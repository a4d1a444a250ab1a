#include "shell/framework/gui/display_check.h"

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <xcb/xcb.h>

bool XDisplayOpens() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

namespace {
std::string X11Problem() {
    if (XDisplayOpens()) return "";
    const char* display = std::getenv("DISPLAY");
    if (display && *display) return std::string("cannot connect to the X display ") + display;
    return "DISPLAY is not set";
}

std::string WaylandProblem() {
    const char* runtime_dir = std::getenv("XDG_RUNTIME_DIR");
    const char* display = std::getenv("WAYLAND_DISPLAY");
    if (display && *display) {
        const std::string socket = display[0] == '/' ? std::string(display)
                                   : runtime_dir     ? std::string(runtime_dir) + "/" + display
                                                     : std::string();
        struct stat info {};
        if (!socket.empty() && stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
            return "";
    }
    return "no Wayland display was found";
}

std::string NoProblem() {
    return "";
}

// Qt's platforms and what each needs to open a window. The ones that draw in memory, on
// a VNC connection or on the machine's own frame buffer need no display server.
struct Platform {
    std::string_view name;
    std::string (*problem)();
};
constexpr Platform kPlatforms[] = {
    {"xcb", X11Problem},         {"wayland", WaylandProblem}, {"wayland-egl", WaylandProblem},
    {"offscreen", NoProblem},    {"minimal", NoProblem},      {"minimalegl", NoProblem},
    {"vnc", NoProblem},          {"linuxfb", NoProblem},      {"eglfs", NoProblem},
    {"vkkhrdisplay", NoProblem},
};

// `name` may carry options after a colon ("xcb:foo=1").
std::string PlatformProblem(std::string_view name) {
    name = name.substr(0, name.find(':'));
    for (const auto& platform : kPlatforms)
        if (platform.name == name) return platform.problem();
    return "QT_QPA_PLATFORM names a platform unknown here: " + std::string(name);
}
} // namespace

std::string DisplayProblem() {
    // Qt tries the listed platforms in order and aborts when none starts; without a
    // list, X11 and then Wayland.
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const std::string_view platforms = chosen && *chosen ? chosen : "xcb;wayland";
    std::string problems;
    for (std::size_t start = 0; start <= platforms.size();) {
        const std::size_t end = std::min(platforms.find(';', start), platforms.size());
        const std::string problem = PlatformProblem(platforms.substr(start, end - start));
        if (problem.empty()) return "";
        problems += (problems.empty() ? "" : "; ") + problem;
        start = end + 1;
    }
    return problems;
}

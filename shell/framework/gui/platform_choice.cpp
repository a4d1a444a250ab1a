#include "shell/framework/gui/platform_choice.h"

#include "shell/framework/gui/display_check.h"

#include <cstdlib>

std::string PlatformFor(const char* chosen, bool x_display_opens) {
    if (chosen && *chosen) return "";
    return x_display_opens ? "xcb" : "";
}

std::string ChosenPlatform() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const bool none_chosen = !chosen || !*chosen;
    return PlatformFor(chosen, none_chosen && XDisplayOpens()); // no probe where it cannot count
}

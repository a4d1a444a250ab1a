#include "alarm_window/window1.h"

namespace {
constexpr const char* kFullClassName = "Window1.Window1";
}

std::shared_ptr<class Window1> Window1() {
    auto window = GetImplicitWindow(kFullClassName);
    if (!window) {
        // The framework's record of the implicit window keeps it from here on.
        auto created = std::make_shared<class Window1>();
        RegisterImplicitWindow(kFullClassName, created);
        window = created;
    }
    return RuntimeCheckCast<class Window1>(window);
}

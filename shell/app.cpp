#include "shell/app.h"

#include "alarm_window/window1.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/runtime.h"

App::App() {
    on_open = [this] { Event_Open(); };
}

void App::Event_Open() {
    auto window = Window1();
    NotNil(window).Show();
}

std::shared_ptr<class App> App() {
    return RuntimeCheckCast<class App>(getAppObject());
}

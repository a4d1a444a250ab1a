#pragma once
// The application object: its only behaviour of its own is to show the alarm window
// when the application opens.

#include "shell/framework/gui/application.h"

#include <memory>

class App : public Application {
  public:
    App();
    void Event_Open();
    void Constructor() {}
};

// The registered application object, as an App (nil before registration).
std::shared_ptr<class App> App();

#pragma once
// The alarm clock's only window.

#include "shell/framework/object.h"
#include "shell/framework/window.h"

#include <memory>

class Window1 : public Window {
  public:
    Window1();
};

// The window's class record: its full name, superclass, members and their access.
ClassRecord Window1ClassRecord();

// The application's one alarm window, created and constructed on the first call.
std::shared_ptr<class Window1> Window1();

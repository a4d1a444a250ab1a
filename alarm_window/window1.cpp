#include "alarm_window/window1.h"

Window1::Window1() = default;

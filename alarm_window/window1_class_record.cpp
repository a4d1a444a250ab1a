#include "alarm_window/window1.h"

#include <string>
#include <vector>

ClassRecord Window1ClassRecord() {
    ClassRecord record{"Window1.Window1", "Window"};
    auto add = [&](const char* name, Access access = Access::Public) {
        record.members.push_back({name, access});
    };
    // Dispatched operations in their order, then the private clock reading.
    add("Layout");
    add("CreateControls");
    record.members.push_back({"_CreateControls0", Access::Public, {{"Hidden", ""}}});
    for (const char* accessor :
         {"GroupBox1",      "PushButton1",   "Timer1",        "StaticText1",
          "EditField3",     "PushButton2",   "Timer2",        "StaticText2",
          "StaticText3",    "BevelButton1",  "Timer3",        "StaticText_comment",
          "EditField1",     "UpDownArrows1", "EditField2",    "UpDownArrows2",
          "ProgressWheel1", "Label1",        "Label2",        "TextField1",
          "UpDownArrows3",  "TextField2",    "UpDownArrows4", "PushButton3"})
        add(accessor);
    for (const char* handler :
         {"PushButton1_Action", "Timer1_Action",       "PushButton2_Action", "Timer2_Action",
          "BevelButton1_Open",  "BevelButton1_Action", "Timer3_Action",      "EditField1_Open",
          "UpDownArrows1_Up",   "UpDownArrows1_Down",  "EditField2_Open",    "UpDownArrows2_Down",
          "UpDownArrows2_Up",   "TextField1_Open",     "UpDownArrows3_Up",   "UpDownArrows3_Down",
          "TextField2_Open",    "UpDownArrows4_Down",  "UpDownArrows4_Up",   "PushButton3_Action",
          "Event_Deactivate",   "Event_Activate",      "Event_KeyDown",      "Event_Close",
          "Event_Open",         "make_alarm"})
        add(handler);
    add("get_timeInfo", Access::Protected);
    add("stop_it", Access::Protected);
    add("set_snooze");
    add("zkStart");
    add("time_now", Access::Private);
    // Properties in their order of declaration.
    for (const char* property : {"my_hour", "my_minute", "my_second"})
        add(property);
    add("time_target", Access::Private);
    add("time_n", Access::Private);
    add("data_file", Access::Private);
    add("count_valume", Access::Protected);
    return record;
}

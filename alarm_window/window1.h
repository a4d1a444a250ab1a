#pragma once
// The alarm clock's only window.

#include "shell/framework/core/object.h"
#include "shell/framework/core/timer.h"
#include "shell/framework/gui/bevel_button.h"
#include "shell/framework/gui/group_box.h"
#include "shell/framework/gui/label.h"
#include "shell/framework/gui/progress_wheel.h"
#include "shell/framework/gui/push_button.h"
#include "shell/framework/gui/text_field.h"
#include "shell/framework/gui/up_down_arrows.h"
#include "shell/framework/gui/window.h"

#include <cstdint>
#include <memory>
#include <string>

class Class_datafile;

class Window1 : public Window {
  public:
    // Binds the window events; the framework's Window constructor does the rest.
    Window1();
    // Releases the settings object.
    ~Window1() override;

    void Layout();
    void CreateControls();
    void CreateControls0();

    // The controls, looked up by name on every call.
    std::shared_ptr<GroupBox> GroupBox1();
    std::shared_ptr<PushButton> PushButton1();
    std::shared_ptr<Timer> Timer1();
    std::shared_ptr<Label> StaticText1();
    std::shared_ptr<TextField> EditField3();
    std::shared_ptr<PushButton> PushButton2();
    std::shared_ptr<Timer> Timer2();
    std::shared_ptr<Label> StaticText2();
    std::shared_ptr<Label> StaticText3();
    std::shared_ptr<BevelButton> BevelButton1();
    std::shared_ptr<Timer> Timer3();
    std::shared_ptr<Label> StaticText_comment();
    std::shared_ptr<TextField> EditField1();
    std::shared_ptr<UpDownArrows> UpDownArrows1();
    std::shared_ptr<TextField> EditField2();
    std::shared_ptr<UpDownArrows> UpDownArrows2();
    std::shared_ptr<ProgressWheel> ProgressWheel1();
    std::shared_ptr<Label> Label1();
    std::shared_ptr<Label> Label2();
    std::shared_ptr<TextField> TextField1();
    std::shared_ptr<UpDownArrows> UpDownArrows3();
    std::shared_ptr<TextField> TextField2();
    std::shared_ptr<UpDownArrows> UpDownArrows4();
    std::shared_ptr<PushButton> PushButton3();

    // Alarm engine.
    void PushButton1_Action(PushButton& sender);
    void Timer1_Action(Timer& sender);
    void PushButton2_Action(PushButton& sender);
    void Timer2_Action(Timer& sender);
    void BevelButton1_Open(BevelButton& sender);
    void BevelButton1_Action(BevelButton& sender);
    void Timer3_Action(Timer& sender);
    // Time entry.
    void EditField1_Open(TextField& sender);
    void UpDownArrows1_Up(UpDownArrows& sender);
    void UpDownArrows1_Down(UpDownArrows& sender);
    void EditField2_Open(TextField& sender);
    void UpDownArrows2_Down(UpDownArrows& sender);
    void UpDownArrows2_Up(UpDownArrows& sender);
    void TextField1_Open(TextField& sender);
    void UpDownArrows3_Up(UpDownArrows& sender);
    void UpDownArrows3_Down(UpDownArrows& sender);
    void TextField2_Open(TextField& sender);
    void UpDownArrows4_Down(UpDownArrows& sender);
    void UpDownArrows4_Up(UpDownArrows& sender);
    void PushButton3_Action(PushButton& sender);

    void Event_Deactivate();
    void Event_Activate();
    bool Event_KeyDown(const std::string& key);
    void Event_Close();
    void Event_Open();

    // One ring of the chosen sound.
    void make_alarm();

  protected:
    // The clock line, or empty text (after stopping and the message) for invalid fields.
    std::string get_timeInfo();
    void stop_it();

  public:
    void set_snooze();
    // Start when the button reads "スタート", otherwise stop; then refresh the clock line.
    void zkStart();

    int32_t my_hour = 0;
    int32_t my_minute = 0;
    int32_t my_second = 0;

  private:
    // Reads the local clock into my_hour, my_minute, my_second; the minute of day.
    int32_t time_now();

    int32_t time_target = 0;
    int32_t time_n = 0;
    std::shared_ptr<Class_datafile> data_file;

  protected:
    // The ring counter: rings 1 to 10 after a reset are soft.
    int32_t count_valume = 0;
};

// The window's class record: its full name, superclass, members and their access.
ClassRecord Window1ClassRecord();

// The application's one alarm window, created and constructed on the first call.
std::shared_ptr<class Window1> Window1();

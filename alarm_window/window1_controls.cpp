#include "alarm_window/window1.h"
#include "alarm_window/window1_control_table.h"
#include "shell/framework/core/exceptions.h"

namespace {
// The control registered under `name`, as a T. The window is reached through its shared
// reference: a window that is gone (or was never shared) is nil here.
template <class T> std::shared_ptr<T> Named(class Window1& window, const char* name) {
    auto self = RuntimeCheckCast<Window>(window.weak_from_this().lock());
    return RuntimeCheckCast<T>(NotNil(self).ControlByName(name));
}
} // namespace

void Window1::CreateControls0() {
    for (const auto& row : Window1ControlTable()) {
        auto control = row.create(*this);
        NotNil(control).SetName(row.name);
        AddControl(control);
        NotNil(ControlByName(row.name)).SetProperties(row.properties);
        for (auto bind : row.bindings)
            bind(*this, row.name);
    }
}

std::shared_ptr<GroupBox> Window1::GroupBox1() {
    return Named<GroupBox>(*this, "GroupBox1");
}
std::shared_ptr<PushButton> Window1::PushButton1() {
    return Named<PushButton>(*this, "PushButton1");
}
std::shared_ptr<Timer> Window1::Timer1() {
    return Named<Timer>(*this, "Timer1");
}
std::shared_ptr<Label> Window1::StaticText1() {
    return Named<Label>(*this, "StaticText1");
}
std::shared_ptr<TextField> Window1::EditField3() {
    return Named<TextField>(*this, "EditField3");
}
std::shared_ptr<PushButton> Window1::PushButton2() {
    return Named<PushButton>(*this, "PushButton2");
}
std::shared_ptr<Timer> Window1::Timer2() {
    return Named<Timer>(*this, "Timer2");
}
std::shared_ptr<Label> Window1::StaticText2() {
    return Named<Label>(*this, "StaticText2");
}
std::shared_ptr<Label> Window1::StaticText3() {
    return Named<Label>(*this, "StaticText3");
}
std::shared_ptr<BevelButton> Window1::BevelButton1() {
    return Named<BevelButton>(*this, "BevelButton1");
}
std::shared_ptr<Timer> Window1::Timer3() {
    return Named<Timer>(*this, "Timer3");
}
std::shared_ptr<Label> Window1::StaticText_comment() {
    return Named<Label>(*this, "StaticText_comment");
}
std::shared_ptr<TextField> Window1::EditField1() {
    return Named<TextField>(*this, "EditField1");
}
std::shared_ptr<UpDownArrows> Window1::UpDownArrows1() {
    return Named<UpDownArrows>(*this, "UpDownArrows1");
}
std::shared_ptr<TextField> Window1::EditField2() {
    return Named<TextField>(*this, "EditField2");
}
std::shared_ptr<UpDownArrows> Window1::UpDownArrows2() {
    return Named<UpDownArrows>(*this, "UpDownArrows2");
}
std::shared_ptr<ProgressWheel> Window1::ProgressWheel1() {
    return Named<ProgressWheel>(*this, "ProgressWheel1");
}
std::shared_ptr<Label> Window1::Label1() {
    return Named<Label>(*this, "Label1");
}
std::shared_ptr<Label> Window1::Label2() {
    return Named<Label>(*this, "Label2");
}
std::shared_ptr<TextField> Window1::TextField1() {
    return Named<TextField>(*this, "TextField1");
}
std::shared_ptr<UpDownArrows> Window1::UpDownArrows3() {
    return Named<UpDownArrows>(*this, "UpDownArrows3");
}
std::shared_ptr<TextField> Window1::TextField2() {
    return Named<TextField>(*this, "TextField2");
}
std::shared_ptr<UpDownArrows> Window1::UpDownArrows4() {
    return Named<UpDownArrows>(*this, "UpDownArrows4");
}
std::shared_ptr<PushButton> Window1::PushButton3() {
    return Named<PushButton>(*this, "PushButton3");
}

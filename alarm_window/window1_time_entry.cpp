// The four read-only time fields, their arrows, and "set": alarm = now + duration.
#include "alarm_window/window1.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/text.h"

#include <climits>

namespace {
// One arrow: its field, its step and the bound it wraps at.
struct ArrowRule {
    std::shared_ptr<TextField> (Window1::*field)();
    double step;  // +1 up, -1 down
    double bound; // up wraps above it, down below it
    const char* wrap_text;
    bool two_digits;         // minute fields: a one-character result gets a leading "0"
    bool enables_set_button; // duration fields
};

using W = class Window1;
constexpr ArrowRule kAlarmHourUp{&W::EditField1, +1.0, 23.0, "0", false, false};
constexpr ArrowRule kAlarmHourDown{&W::EditField1, -1.0, 0.0, "23", false, false};
constexpr ArrowRule kAlarmMinuteUp{&W::EditField2, +1.0, 59.0, "00", true, false};
constexpr ArrowRule kAlarmMinuteDown{&W::EditField2, -1.0, 0.0, "59", true, false};
constexpr ArrowRule kDurationHourUp{&W::TextField1, +1.0, 23.0, "0", false, true};
constexpr ArrowRule kDurationHourDown{&W::TextField1, -1.0, 0.0, "23", false, true};
constexpr ArrowRule kDurationMinuteUp{&W::TextField2, +1.0, 59.0, "00", true, true};
constexpr ArrowRule kDurationMinuteDown{&W::TextField2, -1.0, 0.0, "59", true, true};

void Step(class Window1& window, const ArrowRule& rule) {
    auto field = [&]() -> TextField& { return NotNil((window.*rule.field)()); };
    double x = Val(field().Text()) + rule.step;
    bool wraps = rule.step > 0 ? x > rule.bound : x < rule.bound;
    if (wraps) {
        field().SetText(rule.wrap_text);
    } else {
        field().SetText(Str(Val(field().Text()) + rule.step));
        auto text = field().Text();
        if (rule.two_digits && Len(text) == 1) field().SetText("0" + text);
    }
    if (rule.enables_set_button) {
        auto& button = NotNil(window.PushButton3());
        if (!button.Enabled()) button.SetEnabled(true);
    }
}

void MakeReadOnly(TextField& field, bool right_aligned) {
    field.SetReadOnly(true);
    if (right_aligned) field.SetAlignment(3);
}
} // namespace

void Window1::EditField1_Open(TextField& sender) {
    MakeReadOnly(sender, true);
}
void Window1::EditField2_Open(TextField& sender) {
    MakeReadOnly(sender, false);
}
void Window1::TextField1_Open(TextField& sender) {
    MakeReadOnly(sender, true);
}
void Window1::TextField2_Open(TextField& sender) {
    MakeReadOnly(sender, false);
}

void Window1::UpDownArrows1_Up(UpDownArrows&) {
    Step(*this, kAlarmHourUp);
}
void Window1::UpDownArrows1_Down(UpDownArrows&) {
    Step(*this, kAlarmHourDown);
}
void Window1::UpDownArrows2_Down(UpDownArrows&) {
    Step(*this, kAlarmMinuteDown);
}
void Window1::UpDownArrows2_Up(UpDownArrows&) {
    Step(*this, kAlarmMinuteUp);
}
void Window1::UpDownArrows3_Up(UpDownArrows&) {
    Step(*this, kDurationHourUp);
}
void Window1::UpDownArrows3_Down(UpDownArrows&) {
    Step(*this, kDurationHourDown);
}
void Window1::UpDownArrows4_Down(UpDownArrows&) {
    Step(*this, kDurationMinuteDown);
}
void Window1::UpDownArrows4_Up(UpDownArrows&) {
    Step(*this, kDurationMinuteUp);
}

void Window1::PushButton3_Action(PushButton& sender) {
    time_now();
    int32_t h = ToInt32(static_cast<double>(my_hour) + Val(NotNil(TextField1()).Text()));
    int32_t m = ToInt32(static_cast<double>(my_minute) + Val(NotNil(TextField2()).Text()));
    // One carry and one wrap, as within the arrows' ranges. A hand-edited duration may
    // saturate the hour; the carry must not overflow it.
    if (m > 59) {
        m -= 60;
        if (h < INT32_MAX) h += 1;
    }
    if (h > 23) h -= 24;
    NotNil(EditField1()).SetText(Str(h));
    NotNil(EditField2()).SetText(Format(m, "00"));
    sender.SetEnabled(false);
}

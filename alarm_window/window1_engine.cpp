// Start/Stop, the clock line with its validation, and the five-second clock tick.
#include "alarm_window/window1.h"
#include "alarm_window/window1_texts.h"
#include "shell/framework/core/date.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/msg_box.h"
#include "shell/framework/core/text.h"

namespace {
constexpr const char* kStart = "スタート";
constexpr const char* kStop = "停止";
constexpr Color kMeasuringColor{0x004080};
constexpr int32_t kTickMs = 5000;
} // namespace

void Window1::PushButton1_Action(PushButton&) {
    zkStart();
}

void Window1::zkStart() {
    if (NotNil(PushButton1()).Caption() == kStart) {
        NotNil(Timer1()).SetMode(2);
        NotNil(Timer2()).SetMode(0);
        NotNil(Timer3()).SetMode(0);
        NotNil(PushButton1()).SetCaption(kStop);
        NotNil(StaticText3()).SetTextColor(kMeasuringColor);
        NotNil(StaticText3()).SetText(kMeasuringText);
        NotNil(ProgressWheel1()).SetVisible(true);
        NotNil(PushButton3()).SetEnabled(true);
    } else {
        stop_it();
    }
    // A Start with invalid fields stops again here, with the message.
    auto line = get_timeInfo();
    NotNil(EditField3()).SetText(line);
}

void Window1::stop_it() {
    NotNil(Timer1()).SetMode(0);
    NotNil(Timer2()).SetMode(0);
    NotNil(Timer3()).SetMode(0);
    NotNil(PushButton1()).SetCaption(kStart);
    NotNil(StaticText3()).SetText("");
    NotNil(StaticText_comment()).SetText("");
    NotNil(ProgressWheel1()).SetVisible(false);
}

int32_t Window1::time_now() {
    auto now = New<Date>();
    my_minute = NotNil(now).Minute();
    my_second = NotNil(now).Second();
    my_hour = NotNil(now).Hour();
    return my_hour * 60 + my_minute;
}

std::string Window1::get_timeInfo() {
    int32_t h = ToInt32(Val(NotNil(EditField1()).Text()));
    int32_t m = ToInt32(Val(NotNil(EditField2()).Text()));
    if (h < 0 || h > 23 || m < 0 || m > 59) {
        // Every timer is off before the modal message shows.
        stop_it();
        MsgBox("アラーム時刻が不正です。" + Chr(10) + "時刻は0:00〜23:59の範囲です。");
        return "";
    }
    time_n = time_now();
    std::string line = "現在" + Str(my_hour) + ":" + Format(my_minute, "00") + ":" +
                       Format(my_second, "00") + "    設定" +
                       Format(Val(NotNil(EditField1()).Text()), "00") + ":" +
                       Format(Val(NotNil(EditField2()).Text()), "00");
    // The next tick lands on a second divisible by five.
    int32_t r = my_second % 5;
    if (r != 0) {
        NotNil(Timer1()).SetPeriod((5 - r) * 1000);
    } else if (NotNil(Timer1()).Period() != kTickMs) {
        NotNil(Timer1()).SetPeriod(kTickMs);
    }
    return line;
}

void Window1::Timer1_Action(Timer&) {
    time_target = ToInt32(Val(NotNil(EditField1()).Text()) * 60 + Val(NotNil(EditField2()).Text()));
    auto line = get_timeInfo();
    NotNil(EditField3()).SetText(line);
    // Empty only when the fields were invalid: the alarm is stopped already.
    if (line.empty()) return;
    // Ringing starts only from Measuring: neither ringing nor snoozing.
    if (time_n == time_target && NotNil(Timer2()).Mode() != 2 && NotNil(Timer3()).Mode() == 0) {
        count_valume = 0;
        NotNil(Timer2()).SetMode(2);
    }
}

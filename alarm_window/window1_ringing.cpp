// Ringing with its soft-then-loud ramp, snooze by any key, the sound menu and previews.
#include "alarm_window/window1.h"
#include "alarm_window/window1_sound_menu.h"
#include "alarm_window/window1_texts.h"
#include "shell/framework/core/exceptions.h"
#include "shell/zk_module.h"

namespace {
constexpr const char* kHint = "どれかキーを押すと５分後にまた鳴ります。";
constexpr const char* kSnoozing = "スヌーズ中...";
constexpr Color kSnoozingColor{0xFF6112};
constexpr int32_t kSoftRings = 10;
constexpr int32_t kSoftVolume = 20;
constexpr int32_t kLoudVolume = 100;
// A preview plays loud, and so does every ring after it until the next reset.
constexpr int32_t kPreviewCount = 100;
} // namespace

void Window1::Timer2_Action(Timer&) {
    Show();
    zkModule::SetApplicationToFront();
    make_alarm();
}

void Window1::make_alarm() {
    std::shared_ptr<Sound> sound;
    if (auto* row = SoundMenuRowAt(NotNil(BevelButton1()).MenuValue())) sound = row->sound();
    count_valume = count_valume + 1;
    if (count_valume <= kSoftRings) {
        NotNil(sound).SetVolume(kSoftVolume);
        NotNil(StaticText_comment()).SetText(kHint);
    } else {
        NotNil(sound).SetVolume(kLoudVolume);
    }
    NotNil(sound).Play();
}

bool Window1::Event_KeyDown(const std::string&) {
    if (zkModule::f_windowcloseing) return false;
    // Any key snoozes, but only while ringing.
    if (NotNil(NotNil(::Window1()).Timer2()).Mode() == 2) NotNil(::Window1()).set_snooze();
    return false;
}

void Window1::set_snooze() {
    NotNil(Timer3()).SetMode(1);
    NotNil(Timer2()).SetMode(0);
    NotNil(StaticText3()).SetTextColor(kSnoozingColor);
    NotNil(StaticText3()).SetText(kSnoozing);
    NotNil(StaticText_comment()).SetText("");
}

void Window1::Timer3_Action(Timer&) {
    count_valume = 0;
    NotNil(Timer2()).SetMode(2);
}

void Window1::BevelButton1_Open(BevelButton& sender) {
    for (const auto& row : kSoundMenu)
        sender.AddRow(row.text);
}

void Window1::BevelButton1_Action(BevelButton& sender) {
    if (auto* row = SoundMenuRowAt(sender.MenuValue())) sender.SetCaption(row->text);
    count_valume = kPreviewCount;
    make_alarm();
}

void Window1::PushButton2_Action(PushButton&) {
    count_valume = kPreviewCount;
    make_alarm();
}

void Window1::Event_Activate() {
    // Restarts the spinner, only while measuring.
    if (NotNil(StaticText3()).Text() == kMeasuringText) {
        NotNil(ProgressWheel1()).SetVisible(false);
        NotNil(ProgressWheel1()).SetVisible(true);
    }
}

void Window1::Event_Deactivate() {}

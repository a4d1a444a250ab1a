// Settings restored when the window opens and saved when it closes.
#include "alarm_window/window1.h"
#include "alarm_window/window1_sound_menu.h"
#include "settings/class_datafile.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/folder_item.h"
#include "shell/framework/core/runtime.h"
#include "shell/framework/core/special_folder.h"
#include "shell/framework/core/text.h"
#include "shell/zk_module.h"

#include <array>

namespace {
using W = class Window1;

// One setting: its key, how a stored value is applied, and the value to store.
struct Setting {
    const char* key;
    void (*load)(W& window, const std::string& value);
    std::string (*save)(W& window);
};

template <std::shared_ptr<TextField> (W::*Field)()> void LoadText(W& w, const std::string& s) {
    NotNil((w.*Field)()).SetText(s);
}
template <std::shared_ptr<TextField> (W::*Field)()> std::string SaveText(W& w) {
    return NotNil((w.*Field)()).Text();
}

void LoadSound(W& w, const std::string& s) {
    NotNil(w.BevelButton1()).SetMenuValue(s.empty() ? 0 : ToInt32(Val(s)));
    // The caption follows the value read back; anything past Temple reads "Purr".
    const auto* row = SoundMenuRowAt(NotNil(w.BevelButton1()).MenuValue());
    if (!row) row = &kSoundMenu.back();
    NotNil(w.BevelButton1()).SetCaption(row->text);
}
std::string SaveSound(W& w) {
    return Str(NotNil(w.BevelButton1()).MenuValue());
}

// A saved top of 5 or less, or a negative left, is not restored.
void LoadTop(W& w, const std::string& s) {
    if (!s.empty() && Val(s) > 5) w.SetTop(ToInt32(Val(s)));
}
std::string SaveTop(W& w) {
    return Str(w.Top());
}
void LoadLeft(W& w, const std::string& s) {
    if (!s.empty() && Val(s) >= 0) w.SetLeft(ToInt32(Val(s)));
}
std::string SaveLeft(W& w) {
    return Str(w.Left());
}

// Load and save use these keys in this order; a new file holds them in this order.
constexpr std::array<Setting, 7> kSettings = {{
    {"h_data", LoadText<&W::EditField1>, SaveText<&W::EditField1>},
    {"m_data", LoadText<&W::EditField2>, SaveText<&W::EditField2>},
    {"h_timer", LoadText<&W::TextField1>, SaveText<&W::TextField1>},
    {"m_timer", LoadText<&W::TextField2>, SaveText<&W::TextField2>},
    {"sound_res", LoadSound, SaveSound},
    {"window_top", LoadTop, SaveTop},
    {"window_left", LoadLeft, SaveLeft},
}};

constexpr const char* kSettingsFileName = "Dorvane2appData";
constexpr int32_t kStartUpRingCount = 100;
} // namespace

void Window1::Event_Open() {
    auto file = NotNil(SpecialFolder::Documents()).Child(kSettingsFileName);
    data_file = std::make_shared<Class_datafile>(file);
    for (const auto& setting : kSettings)
        setting.load(*this, NotNil(data_file).get_data(setting.key));
    zkModule::f_windowcloseing = false;
    // The start-up ring is loud and shows no hint.
    count_valume = kStartUpRingCount;
    make_alarm();
    zkStart();
}

void Window1::Event_Close() {
    zkModule::f_windowcloseing = true;
    // Closing always ends the application, also when saving raises: the loop does not end
    // with its last window, and a windowless alarm clock would run on unseen.
    struct QuitWhenDone {
        ~QuitWhenDone() { Quit(0); }
    } quit_when_done;
    for (const auto& setting : kSettings) {
        auto& file = NotNil(data_file);
        file.put_data(setting.key, setting.save(*this));
    }
}

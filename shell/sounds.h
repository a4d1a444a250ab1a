#pragma once
// The six alarm sounds: each loaded once, on first use, from the package's Resources
// folder, and handed out as the same object for the rest of the run (nil when the
// load failed; a failed load is never retried).

#include "shell/framework/media/sound.h"

#include <memory>

std::shared_ptr<Sound> Glass();
std::shared_ptr<Sound> Sosumi();
std::shared_ptr<Sound> Submarine();
std::shared_ptr<Sound> ChuToy();
std::shared_ptr<Sound> Temple();
std::shared_ptr<Sound> Purr();

// The two module-level statics of one sound getter. Start-up's finalizers release
// `permaSound`; `loaded` is never reset.
struct SoundStatics {
    std::shared_ptr<Sound> permaSound;
    bool loaded = false;
};
extern SoundStatics GlassStatics, SosumiStatics, SubmarineStatics, ChuToyStatics, TempleStatics,
    PurrStatics;

#pragma once
// The sound chooser's rows: menu index, row text and caption, sound getter.

#include "shell/sounds.h"

#include <array>
#include <cstdint>
#include <memory>

struct SoundMenuRow {
    const char* text;
    std::shared_ptr<Sound> (*sound)();
};

inline constexpr std::array<SoundMenuRow, 6> kSoundMenu = {{{"Glass", Glass},
                                                            {"Sosumi", Sosumi},
                                                            {"Submarine", Submarine},
                                                            {"ChuToy", ChuToy},
                                                            {"Temple", Temple},
                                                            {"Purr", Purr}}};

// The row of a menu index, nullptr outside 0 to 5.
inline const SoundMenuRow* SoundMenuRowAt(int32_t index) {
    return index >= 0 && index < static_cast<int32_t>(kSoundMenu.size()) ? &kSoundMenu[index]
                                                                         : nullptr;
}

#pragma once
// The six alarm sounds, each a recipe that synthesises it from nothing.

#include "synth.h"

#include <string>
#include <vector>

struct AlarmSound {
    std::string name; // the file is name + ".aiff"
    Signal (*make)();
};

// In the alarm menu's order. Each is under a second, so that a ring a second never
// overlaps the one before.
const std::vector<AlarmSound>& AlarmSounds();

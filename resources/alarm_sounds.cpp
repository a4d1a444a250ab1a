#include "alarm_sounds.h"

#include <cmath>
#include <numbers>

namespace {
Signal Silence(double seconds) {
    return Signal(static_cast<size_t>(seconds * kSampleRate), 0.0f);
}

// A rise over `attack_s` and a fall over the last `release_s` of `length_s`.
double Swell(double t, double length_s, double attack_s, double release_s) {
    const double rise = std::min(1.0, t / attack_s);
    const double fall = std::min(1.0, (length_s - t) / release_s);
    return std::sin(std::numbers::pi / 2 * std::max(0.0, std::min(rise, fall)));
}

// A bright glass bell: high, widely spaced partials that die quickly.
Signal MakeGlass() {
    Signal s = Silence(0.85);
    AddStrike(s, 0, 1318.5,
              {{1.0, 1.0, 0.45}, {2.32, 0.5, 0.25}, {4.25, 0.3, 0.14}, {6.63, 0.15, 0.08}});
    return s;
}

// A marimba-like double knock: two short wooden notes, falling a fourth.
Signal MakeSosumi() {
    const std::vector<Partial> bar = {{1.0, 1.0, 0.16}, {3.99, 0.35, 0.05}, {9.9, 0.12, 0.015}};
    Signal s = Silence(0.6);
    AddStrike(s, 0, 784.0, bar, 0.001);
    AddStrike(s, 0.13, 587.3, bar, 0.001);
    return s;
}

// A sonar ping over a resonant low tone, with a faint echo.
Signal MakeSubmarine() {
    const std::vector<Partial> ping = {{1.0, 0.7, 0.28}, {2.0, 0.08, 0.12}};
    Signal s = Silence(0.9);
    AddStrike(s, 0, 1174.7, ping, 0.008);
    AddStrike(s, 0.3, 1174.7, {{1.0, 0.2, 0.2}}, 0.02);
    AddStrike(s, 0, 130.8, {{1.0, 0.8, 0.35}, {2.0, 0.2, 0.2}}, 0.04);
    return s;
}

// A squeaky rubber toy: two nasal chirps that glide up.
Signal MakeChuToy() {
    const std::vector<double> nasal = {1.0, 0.45, 0.25, 0.1};
    Signal s = Silence(0.48);
    AddGlide(
        s, 0, 0.17, [](double t) { return 1400 + 1200 * t / 0.17; },
        [](double t) { return Swell(t, 0.17, 0.02, 0.05); }, nasal);
    AddGlide(
        s, 0.23, 0.22,
        [](double t) { return 1600 + 1300 * std::sin(std::numbers::pi * t / 0.22 * 0.8); },
        [](double t) { return Swell(t, 0.22, 0.02, 0.07); }, nasal);
    return s;
}

// A low temple bell: bell partials from the hum up, each a pair that beats slowly.
Signal MakeTemple() {
    const std::vector<Partial> bell = {{0.5, 0.5, 1.6},   {0.503, 0.3, 1.6},  {1.0, 1.0, 1.2},
                                       {1.004, 0.5, 1.2}, {1.19, 0.45, 0.9},  {1.5, 0.3, 0.7},
                                       {2.0, 0.45, 0.55}, {2.51, 0.18, 0.35}, {3.0, 0.12, 0.25},
                                       {4.1, 0.06, 0.12}};
    Signal s = Silence(0.95);
    AddStrike(s, 0, 196.0, bell, 0.004);
    FadeOut(s, 0.3);
    return s;
}

// A low purr: a buzzy tone that flutters about 22 times a second.
Signal MakePurr() {
    constexpr double length_s = 0.8;
    Signal s = Silence(length_s);
    AddGlide(
        s, 0, length_s, [](double t) { return 82 + 6 * std::sin(2 * std::numbers::pi * 1.5 * t); },
        [](double t) {
            const double flutter = 0.5 + 0.5 * std::cos(2 * std::numbers::pi * 22 * t);
            return Swell(t, length_s, 0.15, 0.25) * (0.25 + 0.75 * flutter * flutter);
        },
        {1.0, 0.6, 0.45, 0.3, 0.2, 0.12, 0.08});
    return s;
}
} // namespace

const std::vector<AlarmSound>& AlarmSounds() {
    static const std::vector<AlarmSound> sounds = {
        {"Glass", MakeGlass},   {"Sosumi", MakeSosumi}, {"Submarine", MakeSubmarine},
        {"ChuToy", MakeChuToy}, {"Temple", MakeTemple}, {"Purr", MakePurr}};
    return sounds;
}

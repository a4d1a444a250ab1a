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

// A sonar ping: a nearly pure tone, struck softly, that rings long and wavers (two modes a
// few hertz apart), and its echo off a far hull.
Signal MakeSubmarine() {
    const std::vector<Partial> ping = {{1.0, 0.7, 0.3}, {1.004, 0.35, 0.28}, {2.0, 0.05, 0.12}};
    Signal s = Silence(0.9);
    AddStrike(s, 0, 1046.5, ping, 0.012);
    AddStrike(s, 0.42, 1046.5, {{1.0, 0.25, 0.25}, {1.004, 0.12, 0.22}}, 0.03);
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

// A temple bell: a low hum and prime under a cluster of strike partials, each a pair that
// beats slowly. The partials that a small speaker can play carry most of the bell.
Signal MakeTemple() {
    std::vector<Partial> bell = {{0.5, 0.2, 1.6},    {0.5025, 0.2, 1.6}, {1.0, 0.22, 1.2},
                                 {1.005, 0.22, 1.2}, {1.19, 0.12, 0.9},  {1.5, 0.1, 0.7},
                                 {2.0, 0.22, 0.7},   {2.51, 0.25, 0.6},  {3.0, 0.55, 0.6},
                                 {3.012, 0.55, 0.6}, {4.1, 0.5, 0.5},    {4.117, 0.5, 0.5},
                                 {5.4, 0.35, 0.4},   {5.425, 0.35, 0.4}, {6.8, 0.22, 0.3},
                                 {6.83, 0.2, 0.3},   {8.2, 0.12, 0.2},   {10.3, 0.06, 0.12}};
    for (size_t k = 0; k < bell.size(); ++k)
        bell[k].phase = 2.39996 * double(k); // the golden angle: no two partials peak together
    Signal s = Silence(0.95);
    AddStrike(s, 0, 174.6, bell, 0.004);
    FadeOut(s, 0.3);
    return s;
}

// A cat's purr: a rough buzz through a cat's throat formants, pulsing about 25 times a
// second, a breath out and a softer breath in.
Signal MakePurr() {
    constexpr double length_s = 0.85;
    const auto throat = [](double hz) {
        const auto peak = [hz](double centre, double width) {
            const double x = (hz - centre) / width;
            return 1 / (1 + x * x);
        };
        return peak(900, 250) + 0.6 * peak(1800, 350) + 0.3 * peak(2800, 450);
    };
    Signal s = Silence(length_s);
    AddBuzz(
        s, 0, length_s, [](double t) { return 70 + 4 * std::sin(2 * std::numbers::pi * 1.2 * t); },
        [](double t) {
            const double breath =
                t < 0.5 ? Swell(t, 0.5, 0.08, 0.12) : 0.6 * Swell(t - 0.52, 0.33, 0.06, 0.12);
            const double pulse = 0.5 + 0.5 * std::cos(2 * std::numbers::pi * 25 * t);
            return breath * (0.15 + 0.85 * pulse * pulse);
        },
        throat, 60);
    return s;
}
} // namespace

const std::vector<AlarmSound>& AlarmSounds() {
    static const std::vector<AlarmSound> sounds = {
        {"Glass", MakeGlass},   {"Sosumi", MakeSosumi}, {"Submarine", MakeSubmarine},
        {"ChuToy", MakeChuToy}, {"Temple", MakeTemple}, {"Purr", MakePurr}};
    return sounds;
}

#pragma once
// The figures of a 16-bit sound file that the benchmark prints and the tests hold the
// package's sounds to.

#include "resources/loudness.h"
#include "resources/spectrum.h"

#include <cstdint>
#include <span>
#include <vector>

// Small speakers play little below this band and the ear hears best within it.
constexpr double kMidBandLowHz = 500, kMidBandHighHz = 5000;

struct SoundFigures {
    double length_s;
    Loudness loudness;
    double centroid_hz;
    double mid_band_share; // of the energy, 0 to 1
    Fingerprint fingerprint;
};

// Mono samples.
SoundFigures FiguresOf(std::span<const int16_t> samples, int sample_rate);

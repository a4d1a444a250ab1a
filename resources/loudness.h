#pragma once
// How loud a mono sound is, as EBU R128 measures it (libebur128).

#include <span>

struct Loudness {
    double integrated_lufs;  // -inf when the sound is shorter than one 400 ms block
    double sample_peak_dbfs; // the largest sample
    double true_peak_dbtp;   // the largest value between samples, oversampled
};

Loudness MeasureLoudness(std::span<const float> samples, int sample_rate);

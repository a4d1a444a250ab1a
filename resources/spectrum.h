#pragma once
// Where a mono sound's energy lies in frequency and in time: whether a small speaker can
// play it, and whether two sounds are alike.

#include <span>
#include <vector>

// Power per frequency bin, averaged over Hann-windowed frames that overlap by half.
struct Spectrum {
    double bin_hz = 0;
    std::vector<double> power;
};
Spectrum PowerSpectrum(std::span<const float> samples, int sample_rate);

// The energy-weighted mean frequency.
double CentroidHz(const Spectrum& spectrum);
// The share, 0 to 1, of the energy at frequencies from `low_hz` up to `high_hz`.
double EnergyShare(const Spectrum& spectrum, double low_hz, double high_hz);

// A coarse spectrogram: the amplitude (root of the energy) in each 100 ms of the first
// second and each third of an octave from 100 Hz to 12.8 kHz.
using Fingerprint = std::vector<double>;
Fingerprint FingerprintOf(std::span<const float> samples, int sample_rate);
// 1 - the cosine similarity of two fingerprints: 0 for the same sound at any level, 1 for
// sounds that share no cell. Weighed by energy, so faint detail counts little.
double Unlikeness(const Fingerprint& a, const Fingerprint& b);
// Measured over the package's sounds: one made a semitone higher or lower, or mixed with a
// fifth of another, stays within 0.12 of itself.
constexpr double kAlikeBelow = 0.2;

#include "resources/sound_analysis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {
constexpr int kRate = 44100;

// `amplitude` × sin at `hz` from `start_s` to `end_s`, in a second of silence.
std::vector<float> Tone(double hz, double amplitude, double start_s = 0, double end_s = 1) {
    std::vector<float> s(kRate, 0.0f);
    for (size_t i = size_t(start_s * kRate); i < size_t(end_s * kRate); ++i)
        s[i] = float(amplitude * std::sin(2 * std::numbers::pi * hz * double(i) / kRate));
    return s;
}

TEST(SoundAnalysis, ASineAt1kHzReadsItsLevelLess3Db) {
    // The calibration of EBU R128: a full-scale 1 kHz sine reads -3.01 LUFS.
    const Loudness loudness = MeasureLoudness(Tone(1000, 0.1), kRate);
    EXPECT_NEAR(loudness.integrated_lufs, -23.01, 0.05);
    EXPECT_NEAR(loudness.sample_peak_dbfs, -20, 0.01);
    EXPECT_NEAR(loudness.true_peak_dbtp, -20, 0.05);
    std::vector<float> short_tone = Tone(1000, 0.1);
    short_tone.resize(kRate * 3 / 10);
    EXPECT_EQ(MeasureLoudness(short_tone, kRate).integrated_lufs, -INFINITY)
        << "shorter than one 400 ms block";
}

TEST(SoundAnalysis, PlacesTonesAtTheirFrequency) {
    const struct {
        double hz, mid_band_share;
    } rows[] = {{200, 0},  {450, 0},  {550, 1},  {1000, 1},
                {3000, 1}, {4950, 1}, {5050, 0}, {8000, 0}};
    for (const auto& row : rows) {
        const std::vector<float> tone = Tone(row.hz, 0.3);
        const Spectrum spectrum = PowerSpectrum(tone, kRate);
        EXPECT_NEAR(CentroidHz(spectrum), row.hz, 15) << row.hz;
        EXPECT_NEAR(EnergyShare(spectrum, kMidBandLowHz, kMidBandHighHz), row.mid_band_share, 0.01)
            << row.hz;
        const Loudness loudness = MeasureLoudness(tone, kRate);
        // A high tone peaks between its samples; the oversampling filter ripples a little.
        EXPECT_LE(loudness.sample_peak_dbfs, 20 * std::log10(0.3) + 0.01) << row.hz;
        EXPECT_NEAR(loudness.true_peak_dbtp, 20 * std::log10(0.3), 0.5) << row.hz;
    }
}

TEST(SoundAnalysis, FingerprintsIgnoreLevelButNotPitchOrTiming) {
    const Fingerprint tone = FingerprintOf(Tone(1000, 0.5), kRate);
    EXPECT_LT(Unlikeness(tone, FingerprintOf(Tone(1000, 0.05), kRate)), 0.01);
    EXPECT_NEAR(Unlikeness(tone, tone), 0, 1e-12);
    EXPECT_LT(Unlikeness(tone, FingerprintOf(Tone(1020, 0.5), kRate)), kAlikeBelow);
    EXPECT_GT(Unlikeness(tone, FingerprintOf(Tone(1500, 0.5), kRate)), kAlikeBelow);
    EXPECT_GT(Unlikeness(tone, FingerprintOf(Tone(1000, 0.5, 0, 0.3), kRate)), kAlikeBelow);
    EXPECT_GT(Unlikeness(tone, FingerprintOf(Tone(1000, 0.5, 0.5, 1), kRate)), kAlikeBelow);
    const Fingerprint low = FingerprintOf(Tone(300, 0.5), kRate);
    EXPECT_NEAR(Unlikeness(low, FingerprintOf(Tone(3000, 0.5), kRate)), 1, 0.01)
        << "no cell in common but the window's leakage";
}

TEST(SoundAnalysis, FiguresOfSamplesReadThemAsFullScale16Bit) {
    std::vector<int16_t> pcm;
    for (float x : Tone(1000, 0.5, 0, 0.5))
        pcm.push_back(int16_t(std::lround(x * 32767)));
    pcm.resize(kRate / 2);
    const SoundFigures figures = FiguresOf(pcm, kRate);
    EXPECT_DOUBLE_EQ(figures.length_s, 0.5);
    EXPECT_NEAR(figures.loudness.sample_peak_dbfs, -6.02, 0.01);
    EXPECT_NEAR(figures.loudness.integrated_lufs, -9.0, 0.3);
    EXPECT_NEAR(figures.centroid_hz, 1000, 15);
    EXPECT_GT(figures.mid_band_share, 0.99);
}
} // namespace

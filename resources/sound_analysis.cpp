#include "resources/sound_analysis.h"

SoundFigures FiguresOf(std::span<const int16_t> samples, int sample_rate) {
    std::vector<float> signal(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        signal[i] = float(samples[i]) / 32768.0f;
    const Spectrum spectrum = PowerSpectrum(signal, sample_rate);
    return {double(samples.size()) / sample_rate, MeasureLoudness(signal, sample_rate),
            CentroidHz(spectrum), EnergyShare(spectrum, kMidBandLowHz, kMidBandHighHz),
            FingerprintOf(signal, sample_rate)};
}

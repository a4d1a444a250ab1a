#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;

size_t IndexAt(double seconds) {
    return static_cast<size_t>(std::lround(seconds * kSampleRate));
}
} // namespace

void AddStrike(Signal& signal, double start_s, double fundamental_hz,
               const std::vector<Partial>& partials, double attack_s) {
    for (size_t i = IndexAt(start_s); i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate - start_s;
        const double attack = std::min(1.0, t / attack_s);
        double sum = 0;
        for (const Partial& p : partials)
            sum += p.amplitude * std::exp(-t / p.decay_s) *
                   std::sin(kTwoPi * p.ratio * fundamental_hz * t);
        signal[i] += static_cast<float>(attack * sum);
    }
}

void AddGlide(Signal& signal, double start_s, double length_s,
              const std::function<double(double)>& frequency_hz,
              const std::function<double(double)>& envelope, const std::vector<double>& harmonics) {
    const size_t end = std::min(signal.size(), IndexAt(start_s + length_s));
    double phase = 0; // accumulated, so that a changing frequency stays continuous
    for (size_t i = IndexAt(start_s); i < end; ++i) {
        const double t = static_cast<double>(i) / kSampleRate - start_s;
        double sum = 0;
        for (size_t n = 0; n < harmonics.size(); ++n)
            sum += harmonics[n] * std::sin(static_cast<double>(n + 1) * phase);
        signal[i] += static_cast<float>(envelope(t) * sum);
        phase = std::fmod(phase + kTwoPi * frequency_hz(t) / kSampleRate, kTwoPi);
    }
}

void FadeOut(Signal& signal, double fade_s) {
    const size_t fade = std::min(signal.size(), IndexAt(fade_s));
    for (size_t k = 0; k < fade; ++k) {
        const double x = static_cast<double>(k + 1) / static_cast<double>(fade);
        signal[signal.size() - fade + k] *=
            static_cast<float>(0.5 + 0.5 * std::cos(std::numbers::pi * x));
    }
}

void Normalise(Signal& signal, double peak_dbfs) {
    float peak = 0;
    for (float x : signal)
        peak = std::max(peak, std::abs(x));
    if (peak == 0) return;
    const double gain = std::pow(10.0, peak_dbfs / 20) / peak;
    for (float& x : signal)
        x = static_cast<float>(x * gain);
}

std::vector<short> ToPcm16(const Signal& signal) {
    std::vector<short> pcm(signal.size());
    std::transform(signal.begin(), signal.end(), pcm.begin(), [](float x) {
        return static_cast<short>(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767));
    });
    return pcm;
}

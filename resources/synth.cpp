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
                   std::sin(kTwoPi * p.ratio * fundamental_hz * t + p.phase);
        signal[i] += static_cast<float>(attack * sum);
    }
}

namespace {
// Harmonics 1 … `count` of a tone that follows `frequency_hz`; harmonic n has the amplitude
// `amplitude(n, hz)` at its frequency hz and starts at phase `offset(n)`.
void AddHarmonics(Signal& signal, double start_s, double length_s,
                  const std::function<double(double)>& frequency_hz,
                  const std::function<double(double)>& envelope, size_t count,
                  const std::function<double(size_t, double)>& amplitude,
                  const std::function<double(size_t)>& offset) {
    const size_t end = std::min(signal.size(), IndexAt(start_s + length_s));
    double phase = 0; // accumulated, so that a changing frequency stays continuous
    for (size_t i = IndexAt(start_s); i < end; ++i) {
        const double t = static_cast<double>(i) / kSampleRate - start_s;
        const double hz = frequency_hz(t);
        double sum = 0;
        for (size_t n = 1; n <= count; ++n)
            sum += amplitude(n, double(n) * hz) * std::sin(double(n) * phase + offset(n));
        signal[i] += static_cast<float>(envelope(t) * sum);
        phase = std::fmod(phase + kTwoPi * hz / kSampleRate, kTwoPi);
    }
}
} // namespace

void AddGlide(Signal& signal, double start_s, double length_s,
              const std::function<double(double)>& frequency_hz,
              const std::function<double(double)>& envelope, const std::vector<double>& harmonics) {
    AddHarmonics(
        signal, start_s, length_s, frequency_hz, envelope, harmonics.size(),
        [&](size_t n, double) { return harmonics[n - 1]; }, [](size_t) { return 0.0; });
}

void AddBuzz(Signal& signal, double start_s, double length_s,
             const std::function<double(double)>& frequency_hz,
             const std::function<double(double)>& envelope,
             const std::function<double(double)>& spectrum, size_t harmonics) {
    // Schroeder's phases spread each period's energy evenly, so the buzz does not spike.
    AddHarmonics(
        signal, start_s, length_s, frequency_hz, envelope, harmonics,
        [&](size_t, double hz) { return spectrum(hz); },
        [&](size_t n) { return std::numbers::pi * double(n * (n - 1)) / double(harmonics); });
}

void FadeOut(Signal& signal, double fade_s) {
    const size_t fade = std::min(signal.size(), IndexAt(fade_s));
    for (size_t k = 0; k < fade; ++k) {
        const double x = static_cast<double>(k + 1) / static_cast<double>(fade);
        signal[signal.size() - fade + k] *=
            static_cast<float>(0.5 + 0.5 * std::cos(std::numbers::pi * x));
    }
}

void Amplify(Signal& signal, double gain_db) {
    const double gain = std::pow(10.0, gain_db / 20);
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

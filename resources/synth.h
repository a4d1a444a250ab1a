#pragma once
// Building blocks of the synthesised alarm sounds: mono signals at 44.1 kHz, in floats.

#include <functional>
#include <vector>

constexpr int kSampleRate = 44100;
using Signal = std::vector<float>;

// One mode of a struck body: a sine at ratio × the fundamental that decays exponentially.
struct Partial {
    double ratio, amplitude, decay_s;
    double phase = 0; // radians at the strike
};

// A strike at `start_s`: every partial starts together after a short linear attack.
void AddStrike(Signal& signal, double start_s, double fundamental_hz,
               const std::vector<Partial>& partials, double attack_s = 0.002);

// A tone whose frequency and loudness follow functions of the time since its start;
// `harmonics` are the amplitudes of 1×, 2×, 3× … the frequency.
void AddGlide(Signal& signal, double start_s, double length_s,
              const std::function<double(double)>& frequency_hz,
              const std::function<double(double)>& envelope, const std::vector<double>& harmonics);

// A tone of `harmonics` harmonics whose amplitudes follow `spectrum`, a function of their
// frequency: formants shape a buzz into a voice.
void AddBuzz(Signal& signal, double start_s, double length_s,
             const std::function<double(double)>& frequency_hz,
             const std::function<double(double)>& envelope,
             const std::function<double(double)>& spectrum, size_t harmonics);

// Fades the last `fade_s` to silence, so that a cut tail never clicks.
void FadeOut(Signal& signal, double fade_s);
// Scales the signal by `gain_db`.
void Amplify(Signal& signal, double gain_db);
// 16-bit samples, rounded.
std::vector<short> ToPcm16(const Signal& signal);

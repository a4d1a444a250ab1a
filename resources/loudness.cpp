#include "resources/loudness.h"

#include <cmath>
#include <ebur128.h>
#include <stdexcept>

namespace {
double Db(double level) {
    return 20 * std::log10(level);
}
} // namespace

Loudness MeasureLoudness(std::span<const float> samples, int sample_rate) {
    ebur128_state* state = ebur128_init(1, static_cast<unsigned long>(sample_rate),
                                        EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK);
    if (!state) throw std::runtime_error("libebur128: cannot measure at this sample rate");
    double lufs = 0, sample_peak = 0, true_peak = 0;
    const bool measured =
        ebur128_add_frames_float(state, samples.data(), samples.size()) == EBUR128_SUCCESS &&
        ebur128_loudness_global(state, &lufs) == EBUR128_SUCCESS &&
        ebur128_sample_peak(state, 0, &sample_peak) == EBUR128_SUCCESS &&
        ebur128_true_peak(state, 0, &true_peak) == EBUR128_SUCCESS;
    ebur128_destroy(&state);
    if (!measured) throw std::runtime_error("libebur128: the measurement failed");
    return {lufs, Db(sample_peak), Db(true_peak)};
}

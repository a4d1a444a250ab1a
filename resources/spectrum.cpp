#include "resources/spectrum.h"

#include <algorithm>
#include <cmath>
#include <fftw3.h>
#include <numbers>

namespace {
constexpr size_t kFrame = 2048, kHop = kFrame / 2;
constexpr double kCellS = 0.1, kLowestHz = 100;
constexpr size_t kCells = 10, kBands = 21; // one second; seven octaves in thirds

// Calls use(centre_s, power) for each frame. Half a frame of silence pads either end, so
// that the windows weigh every sample alike: frame `start` is centred on sample `start`.
template <class Use> void ForEachFrame(std::span<const float> samples, int sample_rate, Use use) {
    std::vector<double> frame(kFrame);
    std::vector<fftw_complex> bins(kFrame / 2 + 1);
    const fftw_plan plan =
        fftw_plan_dft_r2c_1d(int(kFrame), frame.data(), bins.data(), FFTW_ESTIMATE);
    std::vector<double> power(bins.size());
    for (size_t start = 0; start < samples.size() + kHop; start += kHop) {
        for (size_t n = 0; n < kFrame; ++n) {
            const size_t at = start + n; // kHop ahead of the sample it reads
            const double x = at >= kHop && at - kHop < samples.size() ? samples[at - kHop] : 0.0;
            frame[n] = x * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(n) / kFrame));
        }
        fftw_execute(plan);
        for (size_t k = 0; k < power.size(); ++k)
            power[k] = bins[k][0] * bins[k][0] + bins[k][1] * bins[k][1];
        use(double(start) / sample_rate, power);
    }
    fftw_destroy_plan(plan);
}
} // namespace

Spectrum PowerSpectrum(std::span<const float> samples, int sample_rate) {
    Spectrum spectrum{double(sample_rate) / kFrame, std::vector<double>(kFrame / 2 + 1)};
    size_t frames = 0;
    ForEachFrame(samples, sample_rate, [&](double, const std::vector<double>& power) {
        for (size_t k = 0; k < power.size(); ++k)
            spectrum.power[k] += power[k];
        ++frames;
    });
    for (double& p : spectrum.power)
        p /= double(std::max<size_t>(frames, 1));
    return spectrum;
}

double CentroidHz(const Spectrum& spectrum) {
    double weighted = 0, total = 0;
    for (size_t k = 0; k < spectrum.power.size(); ++k) {
        weighted += double(k) * spectrum.bin_hz * spectrum.power[k];
        total += spectrum.power[k];
    }
    return total > 0 ? weighted / total : 0;
}

double EnergyShare(const Spectrum& spectrum, double low_hz, double high_hz) {
    double inside = 0, total = 0;
    for (size_t k = 0; k < spectrum.power.size(); ++k) {
        const double hz = double(k) * spectrum.bin_hz;
        if (hz >= low_hz && hz < high_hz) inside += spectrum.power[k];
        total += spectrum.power[k];
    }
    return total > 0 ? inside / total : 0;
}

Fingerprint FingerprintOf(std::span<const float> samples, int sample_rate) {
    Fingerprint cells(kCells * kBands, 0.0);
    const double bin_hz = double(sample_rate) / kFrame;
    ForEachFrame(samples, sample_rate, [&](double centre_s, const std::vector<double>& power) {
        const auto cell = static_cast<size_t>(centre_s / kCellS);
        if (cell >= kCells) return;
        // Each bin shares its energy between the two bands nearest to it, so that a small
        // change of pitch moves energy gradually.
        for (size_t k = 1; k < power.size(); ++k) {
            const double band = 3 * std::log2(double(k) * bin_hz / kLowestHz);
            const double lower = std::floor(band), upper_share = band - lower;
            if (lower >= 0 && lower < kBands)
                cells[cell * kBands + size_t(lower)] += (1 - upper_share) * power[k];
            if (lower + 1 >= 0 && lower + 1 < kBands)
                cells[cell * kBands + size_t(lower) + 1] += upper_share * power[k];
        }
    });
    for (double& c : cells)
        c = std::sqrt(c);
    return cells;
}

double Unlikeness(const Fingerprint& a, const Fingerprint& b) {
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        ab += a[i] * b[i];
        aa += a[i] * a[i];
        bb += b[i] * b[i];
    }
    return aa > 0 && bb > 0 ? 1 - ab / std::sqrt(aa * bb) : 1;
}

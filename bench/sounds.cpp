// Prints each alarm sound's length, integrated loudness, peaks, spectral centroid, share of
// energy from 500 Hz to 5 kHz, the most alike other sound and how unlike it is (0 to 1), and its
// decode time.
// Usage: bench_sounds [RESOURCES_FOLDER] (default: the package beside the build's bench/).
#include "resources/sound_analysis.h"
#include "shell/framework/media/sound.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() /
                       "Dorvane2" / "Resources";
    const char* const names[] = {"Glass", "Sosumi", "Submarine", "ChuToy", "Temple", "Purr"};
    std::vector<SoundFigures> figures;
    std::vector<double> decode_ms;
    for (const char* name : names) {
        const auto start = std::chrono::steady_clock::now();
        const std::shared_ptr<Sound> sound =
            DecodeSoundFile((folder / (std::string(name) + ".aiff")).string());
        decode_ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (!sound || sound->Channels() != 1) {
            std::printf("%s does not decode as a mono sound\n", name);
            return 1;
        }
        figures.push_back(FiguresOf(sound->Samples(), sound->SampleRate()));
    }
    std::printf("%-10s %7s %10s %10s %10s %9s %8s %18s %8s\n", "sound", "length", "loudness",
                "peak", "true peak", "centroid", "0.5-5k", "most alike", "decode");
    for (size_t i = 0; i < figures.size(); ++i) {
        const SoundFigures& f = figures[i];
        size_t closest = i;
        double unlikeness = std::numeric_limits<double>::infinity();
        for (size_t j = 0; j < figures.size(); ++j) {
            const double u = Unlikeness(f.fingerprint, figures[j].fingerprint);
            if (j != i && u < unlikeness) closest = j, unlikeness = u;
        }
        std::printf("%-10s %4.0f ms %5.1f LUFS %5.1f dBFS %5.1f dBTP %6.0f Hz %6.1f %% "
                    "%-9s %4.2f %5.2f ms\n",
                    names[i], 1000 * f.length_s, f.loudness.integrated_lufs,
                    f.loudness.sample_peak_dbfs, f.loudness.true_peak_dbtp, f.centroid_hz,
                    100 * f.mid_band_share, names[closest], unlikeness, decode_ms[i]);
    }
    return 0;
}

// Prints each alarm sound's length, peak and RMS level, and its decode time.
// Usage: bench_sounds [RESOURCES_FOLDER] (default: the package beside the build's bench/).
#include "shell/framework/media/sound.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {
double Dbfs(double level) {
    return 20 * std::log10(level / 32768.0);
}
} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() /
                       "Dorvane2" / "Resources";
    std::printf("%-10s %8s %10s %10s %10s\n", "sound", "length", "peak", "RMS", "decode");
    for (const char* name : {"Glass", "Sosumi", "Submarine", "ChuToy", "Temple", "Purr"}) {
        const auto start = std::chrono::steady_clock::now();
        const std::shared_ptr<Sound> sound =
            DecodeSoundFile((folder / (std::string(name) + ".aiff")).string());
        const std::chrono::duration<double, std::milli> decode =
            std::chrono::steady_clock::now() - start;
        if (!sound) {
            std::printf("%-10s does not decode\n", name);
            continue;
        }
        double peak = 0, sum = 0;
        for (int16_t s : sound->Samples()) {
            peak = std::max(peak, std::abs(double(s)));
            sum += double(s) * s;
        }
        const double frames = double(sound->Samples().size()) / sound->Channels();
        std::printf("%-10s %6.0f ms %6.2f dBFS %6.2f dBFS %7.2f ms\n", name,
                    1000 * frames / sound->SampleRate(), Dbfs(peak),
                    Dbfs(std::sqrt(sum / double(sound->Samples().size()))), decode.count());
    }
    return 0;
}

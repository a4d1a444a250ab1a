// Synthesises the six alarm sounds into the folder given as the one argument:
// 44.1 kHz, 16-bit PCM, mono AIFF, all of one integrated loudness.
#include "alarm_sounds.h"
#include "resources/loudness.h"

#include <algorithm>
#include <cstdio>
#include <sndfile.h>
#include <string>

namespace {
// As loud as a sound should be; the most peaky sound may level all of them lower, so that
// none rises above the ceiling and none is louder than another.
constexpr double kTargetLufs = -14.0;
constexpr double kPeakCeilingDbtp = -1.2; // below -1 dBFS after rounding to 16 bits
constexpr double kTailFadeS = 0.02;

bool WriteAiff(const std::string& path, const std::vector<short>& pcm) {
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "make_sounds: %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    const auto frames = static_cast<sf_count_t>(pcm.size());
    const bool written = sf_write_short(file, pcm.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds FOLDER\n");
        return 2;
    }
    std::vector<Signal> signals;
    std::vector<Loudness> loudness;
    double target_lufs = kTargetLufs;
    for (const AlarmSound& sound : AlarmSounds()) {
        signals.push_back(sound.make());
        FadeOut(signals.back(), kTailFadeS);
        loudness.push_back(MeasureLoudness(signals.back(), kSampleRate));
        const Loudness& l = loudness.back();
        target_lufs =
            std::min(target_lufs, l.integrated_lufs + kPeakCeilingDbtp - l.true_peak_dbtp);
    }
    for (size_t i = 0; i < signals.size(); ++i) {
        Amplify(signals[i], target_lufs - loudness[i].integrated_lufs);
        const std::string path = std::string(argv[1]) + "/" + AlarmSounds()[i].name + ".aiff";
        if (!WriteAiff(path, ToPcm16(signals[i]))) return 1;
    }
    return 0;
}

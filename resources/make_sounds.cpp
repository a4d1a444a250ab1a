// Synthesises the six alarm sounds into the folder given as the one argument:
// 44.1 kHz, 16-bit PCM, mono AIFF, peaking at -3 dBFS.
#include "alarm_sounds.h"

#include <cstdio>
#include <sndfile.h>
#include <string>

namespace {
constexpr double kPeakDbfs = -3.0;
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
    for (const AlarmSound& sound : AlarmSounds()) {
        Signal signal = sound.make();
        FadeOut(signal, kTailFadeS);
        Normalise(signal, kPeakDbfs);
        if (!WriteAiff(std::string(argv[1]) + "/" + sound.name + ".aiff", ToPcm16(signal)))
            return 1;
    }
    return 0;
}

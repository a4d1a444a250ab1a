#include "shell/framework/media/sound.h"

#include "shell/framework/core/clock.h"
#include "shell/framework/core/seam.h"
#include "shell/framework/core/timer.h"
#include "shell/framework/media/pulse_audio_output.h"

#include <algorithm>

namespace {
// The real output opens no device before its first Play.
Seam<AudioOutput, PulseAudioOutput> audio_output;
} // namespace

void InstallAudioOutput(std::shared_ptr<AudioOutput> output) {
    audio_output.Install(std::move(output));
}
AudioOutput& CurrentAudioOutput() {
    return audio_output.Current();
}
void CloseAudioOutput() {
    if (AudioOutput* output = audio_output.Made()) output->Close();
}

Sound::Sound(std::string name, int32_t sample_rate, int32_t channels, std::vector<int16_t> samples)
    : name_(std::move(name)), sample_rate_(sample_rate), channels_(channels),
      samples_(std::move(samples)) {}

void Sound::SetVolume(int32_t volume) {
    volume_ = std::clamp(volume, 0, 100);
}

void Sound::Play() {
    int64_t delay_ms = 0;
    if (const int64_t due_ms = Timer::FiringDueMs(); due_ms >= 0)
        delay_ms = std::max<int64_t>(0, due_ms + kAfterTimerMs - CurrentClock().MonotonicMs());
    CurrentAudioOutput().Play(*this, volume_ / 100.0, static_cast<int32_t>(delay_ms));
}

#include "tests/support/recording_audio_output.h"

#include "shell/framework/core/clock.h"

#include <cmath>

void RecordingAudioOutput::Play(const Sound& sound, double gain, int32_t delay_ms) {
    plays_.push_back({sound.Name(), static_cast<int32_t>(std::lround(gain * 100)),
                      CurrentClock().MonotonicMs(), delay_ms});
}

std::shared_ptr<RecordingAudioOutput> InstallRecordingAudioOutput() {
    auto output = std::make_shared<RecordingAudioOutput>();
    InstallAudioOutput(output);
    return output;
}

#pragma once
// The audio-output fake: records each play instead of making a sound.

#include "shell/framework/media/sound.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct PlayRecord {
    std::string sound;    // Sound::Name(), e.g. "Glass"
    int32_t volume = 0;   // the gain handed to the output, as 0-100
    int64_t time_ms = 0;  // CurrentClock().MonotonicMs() at the play
    int32_t delay_ms = 0; // how long after the play the sound is to start
};

class RecordingAudioOutput : public AudioOutput {
  public:
    void Play(const Sound& sound, double gain, int32_t delay_ms) override;
    void Close() override { closed_ = true; }

    const std::vector<PlayRecord>& Plays() const { return plays_; }
    void Clear() { plays_.clear(); }
    bool Closed() const { return closed_; }

  private:
    std::vector<PlayRecord> plays_;
    bool closed_ = false;
};

// Installs a fresh recorder as the audio output and returns it.
std::shared_ptr<RecordingAudioOutput> InstallRecordingAudioOutput();

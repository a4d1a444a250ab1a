#pragma once
// A playable sound, decoded once into memory. Volume 0-100 is a linear gain of
// volume/100; Play returns at once and restarts a sound that is still playing. A sound
// played by a timer's Action starts a fixed time after the timer was due, whatever the
// steps before the Play took: each ring of an alarm sounds the same time after its tick.

#include "shell/framework/core/object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Sound;

// The audio-output seam: plays decoded samples; tests install a recorder.
class AudioOutput {
  public:
    virtual ~AudioOutput() = default;
    // `gain` is volume/100; the sound starts `delay_ms` after the call (0: at once).
    // Playing a sound that is still playing restarts it.
    virtual void Play(const Sound& sound, double gain, int32_t delay_ms) = 0;
    // Stops every sound and lets go of the audio system; later plays are silent.
    virtual void Close() {}
};

void InstallAudioOutput(std::shared_ptr<AudioOutput> output);
AudioOutput& CurrentAudioOutput();
// Closes the output in place, if one was made: the event loop's end does it, so that
// nothing of the audio system is left for the process's exit to tear down.
void CloseAudioOutput();

class Sound : public Object {
  public:
    // How long after its timer was due a sound played by the timer's Action starts: more
    // than a ring's steps before its sound take (the activation script, about 10 ms).
    static constexpr int32_t kAfterTimerMs = 50;

    Sound(std::string name, int32_t sample_rate, int32_t channels, std::vector<int16_t> samples);

    int32_t Volume() const { return volume_; }
    void SetVolume(int32_t volume); // clamped to 0-100
    void Play();

    const std::string& Name() const { return name_; }
    int32_t SampleRate() const { return sample_rate_; }
    int32_t Channels() const { return channels_; }
    // Interleaved 16-bit samples.
    const std::vector<int16_t>& Samples() const { return samples_; }

  private:
    std::string name_;
    int32_t sample_rate_, channels_;
    std::vector<int16_t> samples_;
    int32_t volume_ = 100;
};

// Decodes an AIFF (or any libsndfile format) file; nil when it cannot.
std::shared_ptr<Sound> DecodeSoundFile(const std::string& path);

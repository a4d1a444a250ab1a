#pragma once
// The real audio output: PulseAudio's client library with its own thread (PipeWire
// desktops serve the same protocol). Play hands the whole sound to the server and
// returns; from then on it plays to its end whatever the UI thread does. Nothing
// connects to the server before the first Play.
//
// Each sound keeps one playback stream for the whole connection: a ring is one write
// into a stream that is already running (a new stream a ring started up to 20 ms off),
// placed in the stream the asked delay ahead of where the server reads, so it sounds
// when asked, whenever the UI thread got to Play. The stream asks for a short latency,
// so the server mixes it in small steps, and is corked once the sound has been idle a
// while, so an idle alarm keeps no sound device busy.

#include "shell/framework/media/sound.h"

#include <map>
#include <memory>
#include <string>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;

class PulseAudioOutput : public AudioOutput {
  public:
    // How long a server may take to accept the connection; then the output gives up.
    static constexpr int kConnectLimitMs = 2000;
    // A stream stays running this long after its sound has ended: rings a second or two
    // apart find it running.
    static constexpr int kIdleCorkMs = 3000;
    // The latency each stream asks for: the server's mixing step, and so the spread of
    // when a sound starts.
    static constexpr int kLatencyMs = 5;

    PulseAudioOutput();
    ~PulseAudioOutput() override;
    PulseAudioOutput(const PulseAudioOutput&) = delete;
    PulseAudioOutput& operator=(const PulseAudioOutput&) = delete;

    void Play(const Sound& sound, double gain, int32_t delay_ms) override;
    void Close() override;

  private:
    struct Voice;

    bool StartLoop();
    void ConnectOnAudioThread();
    void Connect();
    void Open(Voice& voice);
    void Write(Voice& voice);
    static void Cork(Voice& voice, bool corked);
    void Drop(Voice& voice);
    void DropVoices();
    void CancelDeadline();
    // With no usable audio the alarm is silent: say so once, then carry on.
    void SaySilent(const std::string& why);

    static void OnContextState(pa_context* context, void* output);
    static void OnStreamState(pa_stream* stream, void* voice);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_time_event* deadline_ = nullptr;
    // The stream of each Sound; the key is never dereferenced, so a Sound may go at any
    // time.
    std::map<const Sound*, std::unique_ptr<Voice>> voices_;
    bool closed_ = false, said_silent_ = false;
    bool connect_pending_ = false; // written under the loop's lock
};

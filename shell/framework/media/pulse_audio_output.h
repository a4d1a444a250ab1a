#pragma once
// The real audio output: PulseAudio's client library with its own thread (PipeWire
// desktops serve the same protocol). Play hands the whole sound to the server and
// returns; from then on it plays to its end whatever the UI thread does. Nothing
// connects to the server before the first Play.

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

    PulseAudioOutput();
    ~PulseAudioOutput() override;
    PulseAudioOutput(const PulseAudioOutput&) = delete;
    PulseAudioOutput& operator=(const PulseAudioOutput&) = delete;

    void Play(const Sound& sound, double gain) override;
    void Close() override;

  private:
    struct Voice;

    bool StartLoop();
    void ConnectOnAudioThread();
    void Connect();
    void Start(Voice& voice);
    void Finish(Voice& voice);
    void DropVoices();
    void CancelDeadline();
    // With no usable audio the alarm is silent: say so once, then carry on.
    void SaySilent(const std::string& why);

    static void OnContextState(pa_context* context, void* output);
    static void OnStreamState(pa_stream* stream, void* voice);
    static void OnDrained(pa_stream* stream, int success, void* voice);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_time_event* deadline_ = nullptr;
    // The sound playing (or waiting for the connection) for each Sound; the key is
    // never dereferenced, so a Sound may go at any time.
    std::map<const Sound*, std::unique_ptr<Voice>> voices_;
    bool closed_ = false, said_silent_ = false;
    bool connect_pending_ = false; // written under the loop's lock
};

#include "shell/framework/media/pulse_audio_output.h"

#include <cmath>
#include <cstdio>
#include <pulse/pulseaudio.h>
#include <vector>

// One play: its samples until the server has them, then its stream until it has played.
struct PulseAudioOutput::Voice {
    PulseAudioOutput* output = nullptr;
    const Sound* sound = nullptr;
    std::string name;
    pa_sample_spec spec{};
    std::vector<int16_t> samples;
    pa_stream* stream = nullptr;
    pa_operation* drain = nullptr;

    // Stops the sound at once; nothing of it calls back afterwards.
    ~Voice() {
        if (drain) {
            pa_operation_cancel(drain);
            pa_operation_unref(drain);
        }
        if (stream) {
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) pa_stream_disconnect(stream);
            pa_stream_unref(stream);
        }
    }
};

namespace {
class LoopLock {
  public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) {
        pa_threaded_mainloop_lock(loop_);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

  private:
    pa_threaded_mainloop* loop_;
};

// The gain goes into the samples themselves: exactly linear, whatever the server's own
// volume curve is.
std::vector<int16_t> Scaled(const std::vector<int16_t>& samples, double gain) {
    std::vector<int16_t> scaled(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        scaled[i] = static_cast<int16_t>(std::lround(samples[i] * gain));
    return scaled;
}

bool Usable(pa_context* context) {
    return context && PA_CONTEXT_IS_GOOD(pa_context_get_state(context));
}
} // namespace

PulseAudioOutput::PulseAudioOutput() = default;

PulseAudioOutput::~PulseAudioOutput() {
    Close();
}

void PulseAudioOutput::Play(const Sound& sound, double gain) {
    if (closed_ || sound.Samples().empty()) return;
    auto voice = std::make_unique<Voice>();
    voice->output = this;
    voice->sound = &sound;
    voice->name = sound.Name();
    voice->spec = {PA_SAMPLE_S16NE, static_cast<uint32_t>(sound.SampleRate()),
                   static_cast<uint8_t>(sound.Channels())};
    if (!pa_sample_spec_valid(&voice->spec)) return;
    voice->samples = Scaled(sound.Samples(), gain);

    if (!loop_ && !StartLoop()) return;
    LoopLock lock(loop_);
    // A sound that is still playing starts again: its old stream stops here.
    auto& slot = voices_[&sound];
    slot = std::move(voice);
    if (!Usable(context_)) {
        ConnectOnAudioThread();
    } else if (pa_context_get_state(context_) == PA_CONTEXT_READY) {
        Start(*slot);
    }
}

void PulseAudioOutput::Close() {
    if (closed_) return;
    closed_ = true;
    if (!loop_) return;
    {
        LoopLock lock(loop_);
        connect_pending_ = false;
        DropVoices();
        CancelDeadline();
        if (context_) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(context_);
            context_ = nullptr;
        }
    }
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
}

bool PulseAudioOutput::StartLoop() {
    loop_ = pa_threaded_mainloop_new();
    if (loop_ && pa_threaded_mainloop_start(loop_) == 0) return true;
    std::fprintf(stderr, "Sound: the audio thread cannot be started; sounds are silent\n");
    if (loop_) pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
    closed_ = true;
    return false;
}

// Making the context reads the client's configuration files: the audio thread does it, so
// the first Play (at start-up, before the window shows) hands over its sound and returns.
void PulseAudioOutput::ConnectOnAudioThread() {
    if (connect_pending_) return;
    connect_pending_ = true;
    pa_mainloop_api_once(
        pa_threaded_mainloop_get_api(loop_),
        [](pa_mainloop_api*, void* data) {
            auto* output = static_cast<PulseAudioOutput*>(data);
            if (!output->connect_pending_) return; // closed meanwhile: no context to leak
            output->connect_pending_ = false;
            output->Connect();
        },
        this);
}

// A new connection, for the first Play and for the first one after a failed connection
// (the server may be back by then). Never waits: the thread reports the outcome.
void PulseAudioOutput::Connect() {
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    CancelDeadline();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Dorvane2");
    if (!context_) {
        SaySilent("the audio server cannot be reached");
        DropVoices();
        return;
    }
    pa_context_set_state_callback(context_, OnContextState, this);
    // No autospawn: starting a server of our own would hold up the sound thread, and
    // desktops start theirs with the session.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return;
    deadline_ = pa_context_rttime_new(
        context_, pa_rtclock_now() + kConnectLimitMs * PA_USEC_PER_MSEC,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* data) {
            auto* output = static_cast<PulseAudioOutput*>(data);
            output->CancelDeadline();
            output->SaySilent("the audio server does not answer");
            pa_context_disconnect(output->context_); // its state callback drops the voices
        },
        this);
}

void PulseAudioOutput::OnContextState(pa_context* context, void* data) {
    auto* output = static_cast<PulseAudioOutput*>(data);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY: {
        output->CancelDeadline();
        // Collected first: a voice that cannot start leaves the map at once.
        std::vector<Voice*> waiting;
        for (auto& [sound, voice] : output->voices_)
            if (!voice->stream) waiting.push_back(voice.get());
        for (Voice* voice : waiting)
            output->Start(*voice);
        break;
    }
    case PA_CONTEXT_FAILED:
        output->CancelDeadline();
        output->SaySilent(std::string("the audio server cannot be reached (") +
                          pa_strerror(pa_context_errno(context)) + ")");
        output->DropVoices();
        break;
    case PA_CONTEXT_TERMINATED:
        output->CancelDeadline();
        output->DropVoices();
        break;
    default:
        break;
    }
}

// The whole sound goes to the server in one write as soon as the stream is ready; the
// server's buffer holds all of it, so nothing here has to keep feeding it.
void PulseAudioOutput::Start(Voice& voice) {
    voice.stream = pa_stream_new(context_, voice.name.c_str(), &voice.spec, nullptr);
    const auto bytes = static_cast<uint32_t>(voice.samples.size() * sizeof(int16_t));
    const pa_buffer_attr buffer{static_cast<uint32_t>(-1), bytes, bytes, static_cast<uint32_t>(-1),
                                static_cast<uint32_t>(-1)};
    if (!voice.stream || pa_stream_connect_playback(voice.stream, nullptr, &buffer,
                                                    PA_STREAM_NOFLAGS, nullptr, nullptr) < 0)
        return Finish(voice);
    // Set once connecting has begun: from here on the thread reports each change.
    pa_stream_set_state_callback(voice.stream, OnStreamState, &voice);
}

void PulseAudioOutput::OnStreamState(pa_stream* stream, void* data) {
    auto& voice = *static_cast<Voice*>(data);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        pa_stream_write(stream, voice.samples.data(), voice.samples.size() * sizeof(int16_t),
                        nullptr, 0, PA_SEEK_RELATIVE);
        voice.samples = {};
        voice.drain = pa_stream_drain(stream, OnDrained, &voice);
        break;
    case PA_STREAM_FAILED: // a server without a device, for one
        voice.output->SaySilent(std::string("the audio server cannot play (") +
                                pa_strerror(pa_context_errno(pa_stream_get_context(stream))) + ")");
        voice.output->Finish(voice);
        break;
    case PA_STREAM_TERMINATED:
        voice.output->Finish(voice);
        break;
    default:
        break;
    }
}

void PulseAudioOutput::OnDrained(pa_stream*, int, void* data) {
    auto& voice = *static_cast<Voice*>(data);
    pa_operation_unref(voice.drain);
    voice.drain = nullptr;
    voice.output->Finish(voice);
}

// The voice has played (or cannot play): it goes.
void PulseAudioOutput::Finish(Voice& voice) {
    auto found = voices_.find(voice.sound);
    if (found != voices_.end() && found->second.get() == &voice) voices_.erase(found);
}

void PulseAudioOutput::DropVoices() {
    auto voices = std::move(voices_);
    voices_.clear();
}

void PulseAudioOutput::CancelDeadline() {
    if (!deadline_) return;
    pa_threaded_mainloop_get_api(loop_)->time_free(deadline_);
    deadline_ = nullptr;
}

void PulseAudioOutput::SaySilent(const std::string& why) {
    if (said_silent_) return;
    said_silent_ = true;
    std::fprintf(stderr, "Sound: %s; sounds are silent\n", why.c_str());
}

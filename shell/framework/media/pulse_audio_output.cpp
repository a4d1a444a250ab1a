#include "shell/framework/media/pulse_audio_output.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <pulse/pulseaudio.h>
#include <vector>

// The stream of one Sound, and the play waiting for it to be ready.
struct PulseAudioOutput::Voice {
    PulseAudioOutput* output = nullptr;
    std::string name;
    pa_sample_spec spec{};
    pa_usec_t length_us = 0;
    std::vector<int16_t> waiting;
    pa_usec_t start_at_us = 0; // when the waiting play is to start, on pa_rtclock_now()
    pa_stream* stream = nullptr;
    bool corked = true;
    pa_time_event* idle = nullptr;

    // Stops the sound at once; nothing of it calls back afterwards.
    ~Voice() {
        if (idle) pa_threaded_mainloop_get_api(output->loop_)->time_free(idle);
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

void PulseAudioOutput::Play(const Sound& sound, double gain, int32_t delay_ms) {
    if (closed_ || sound.Samples().empty()) return;
    const pa_sample_spec spec{PA_SAMPLE_S16NE, static_cast<uint32_t>(sound.SampleRate()),
                              static_cast<uint8_t>(sound.Channels())};
    if (!pa_sample_spec_valid(&spec)) return;
    std::vector<int16_t> samples = Scaled(sound.Samples(), gain);

    if (!loop_ && !StartLoop()) return;
    LoopLock lock(loop_);
    // Another Sound may have been made where a released one was: it gets a stream of its own.
    auto& voice = voices_[&sound];
    if (!voice || voice->name != sound.Name() || !pa_sample_spec_equal(&voice->spec, &spec)) {
        voice = std::make_unique<Voice>();
        voice->output = this;
        voice->name = sound.Name();
        voice->spec = spec;
    }
    voice->length_us = pa_bytes_to_usec(samples.size() * sizeof(int16_t), &spec);
    // A play not started yet gives way to this one, as a sound still playing does.
    voice->waiting = std::move(samples);
    voice->start_at_us = pa_rtclock_now() + std::max(delay_ms, 0) * PA_USEC_PER_MSEC;
    if (!Usable(context_)) {
        ConnectOnAudioThread();
    } else if (pa_context_get_state(context_) == PA_CONTEXT_READY) {
        if (!voice->stream) {
            Open(*voice);
        } else if (pa_stream_get_state(voice->stream) == PA_STREAM_READY) {
            Write(*voice);
        }
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
        // Collected first: a voice whose stream cannot be made leaves the map at once.
        std::vector<Voice*> waiting;
        for (auto& [sound, voice] : output->voices_)
            if (!voice->stream) waiting.push_back(voice.get());
        for (Voice* voice : waiting)
            output->Open(*voice);
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

// Prebuffering off: a stream with nothing to play plays silence and stays running, so a
// write starts at once. Started corked: it runs from its first write.
void PulseAudioOutput::Open(Voice& voice) {
    voice.stream = pa_stream_new(context_, voice.name.c_str(), &voice.spec, nullptr);
    const auto latency =
        static_cast<uint32_t>(pa_usec_to_bytes(kLatencyMs * PA_USEC_PER_MSEC, &voice.spec));
    const pa_buffer_attr buffer{static_cast<uint32_t>(-1), latency, 0, static_cast<uint32_t>(-1),
                                static_cast<uint32_t>(-1)};
    const auto flags =
        static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
    if (!voice.stream ||
        pa_stream_connect_playback(voice.stream, nullptr, &buffer, flags, nullptr, nullptr) < 0)
        return Drop(voice);
    // Set once connecting has begun: from here on the thread reports each change.
    pa_stream_set_state_callback(voice.stream, OnStreamState, &voice);
}

void PulseAudioOutput::OnStreamState(pa_stream* stream, void* data) {
    auto& voice = *static_cast<Voice*>(data);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        if (!voice.waiting.empty()) voice.output->Write(voice);
        break;
    case PA_STREAM_FAILED: // a server without a device, for one
        voice.output->SaySilent(std::string("the audio server cannot play (") +
                                pa_strerror(pa_context_errno(pa_stream_get_context(stream))) + ")");
        voice.output->Drop(voice);
        break;
    case PA_STREAM_TERMINATED:
        voice.output->Drop(voice);
        break;
    default:
        break;
    }
}

// The whole sound in one write from where the server is reading, after silence for the
// time left until its start: it replaces what is left of the last play from there. The
// silence is written, not skipped: PipeWire plays a skipped stretch as whatever its
// buffer held there before (an old ring, once the buffer has gone round). The server's
// buffer holds all of it, so nothing here has to keep feeding it.
void PulseAudioOutput::Write(Voice& voice) {
    const pa_usec_t now_us = pa_rtclock_now();
    const pa_usec_t wait_us = voice.start_at_us > now_us ? voice.start_at_us - now_us : 0;
    const size_t silence = pa_usec_to_bytes(wait_us, &voice.spec) / sizeof(int16_t);
    voice.waiting.insert(voice.waiting.begin(), silence, 0);
    pa_stream_write(voice.stream, voice.waiting.data(), voice.waiting.size() * sizeof(int16_t),
                    nullptr, 0, PA_SEEK_RELATIVE_ON_READ);
    voice.waiting = {};
    if (voice.corked) Cork(voice, false);
    const pa_usec_t cork_at = now_us + wait_us + voice.length_us + kIdleCorkMs * PA_USEC_PER_MSEC;
    if (voice.idle) {
        pa_context_rttime_restart(context_, voice.idle, cork_at);
        return;
    }
    voice.idle = pa_context_rttime_new(
        context_, cork_at,
        [](pa_mainloop_api* api, pa_time_event* event, const struct timeval*, void* data) {
            auto& voice = *static_cast<Voice*>(data);
            api->time_free(event);
            voice.idle = nullptr;
            Cork(voice, true);
        },
        &voice);
}

void PulseAudioOutput::Cork(Voice& voice, bool corked) {
    if (pa_operation* operation = pa_stream_cork(voice.stream, corked, nullptr, nullptr))
        pa_operation_unref(operation);
    voice.corked = corked;
}

// The voice's stream has gone (or cannot be made): the voice goes too.
void PulseAudioOutput::Drop(Voice& voice) {
    for (auto it = voices_.begin(); it != voices_.end(); ++it) {
        if (it->second.get() == &voice) {
            voices_.erase(it);
            return;
        }
    }
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

#include "shell/framework/media/qt_audio_output.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <cmath>
#include <cstdio>

namespace {
// The gain goes into the samples themselves: exactly linear, whatever the backend's
// own volume curve is.
QByteArray Scaled(const std::vector<int16_t>& samples, double gain) {
    QByteArray bytes(static_cast<qsizetype>(samples.size() * sizeof(int16_t)), Qt::Uninitialized);
    auto* out = reinterpret_cast<int16_t*>(bytes.data());
    for (size_t i = 0; i < samples.size(); ++i)
        out[i] = static_cast<int16_t>(std::lround(samples[i] * gain));
    return bytes;
}
} // namespace

void QtAudioOutput::Play(const Sound& sound, double gain) {
    if (!QCoreApplication::instance()) return SaySilent("no application event loop");
    QAudioFormat format;
    format.setSampleRate(sound.SampleRate());
    format.setChannelCount(sound.Channels());
    format.setSampleFormat(QAudioFormat::Int16);

    Voice& voice = voices_[&sound];
    // A sink is started once: restarting a stopped QAudioSink on PulseAudio opens a
    // stream that now and then stays silent. The old one, still draining its last
    // ~100 ms, goes when the event loop gets to it.
    if (voice.sink) {
        voice.sink->stop();
        voice.sink->deleteLater();
        voice.buffer->deleteLater();
    }
    if (!Open(voice, format)) {
        voices_.erase(&sound);
        return;
    }
    voice.buffer->setData(Scaled(sound.Samples(), gain));
    voice.buffer->open(QIODevice::ReadOnly);
    voice.sink->start(voice.buffer);
    // A sink that cannot reach the audio server fails at once, inside start(); the next
    // Play starts over, in case the server is back by then.
    if (voice.sink->state() == QAudio::StoppedState && voice.sink->error() != QAudio::NoError) {
        SaySilent("the audio output cannot be opened");
        delete voice.sink;
        delete voice.buffer;
        voices_.erase(&sound);
    }
}

bool QtAudioOutput::Open(Voice& voice, const QAudioFormat& format) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        SaySilent("no audio output device");
        return false;
    }
    QObject* owner = QCoreApplication::instance();
    voice.format = format;
    voice.sink = new QAudioSink(device, format, owner);
    voice.buffer = new QBuffer(owner);
    return true;
}

void QtAudioOutput::SaySilent(const char* why) {
    if (said_silent_) return;
    said_silent_ = true;
    std::fprintf(stderr, "Sound: %s; sounds are silent\n", why);
}

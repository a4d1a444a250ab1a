#pragma once
// The real audio output: one QAudioSink per sound, made on the sound's first Play, so
// that nothing opens the audio device before a sound is played.

#include "shell/framework/media/sound.h"

#include <QAudioFormat>
#include <QPointer>
#include <map>

class QAudioSink;
class QBuffer;

class QtAudioOutput : public AudioOutput {
  public:
    void Play(const Sound& sound, double gain) override;

  private:
    struct Voice {
        QAudioFormat format;
        // Owned by the application object: freed with it, never by a static destructor
        // that may run after Qt's own audio backend is gone.
        QPointer<QAudioSink> sink;
        QPointer<QBuffer> buffer;
    };
    bool Open(Voice& voice, const QAudioFormat& format);
    // With no usable audio the alarm is silent: say so once, then carry on.
    void SaySilent(const char* why);

    std::map<const Sound*, Voice> voices_;
    bool said_silent_ = false;
};

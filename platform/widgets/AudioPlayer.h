#pragma once
// PLAY and BEEP through the sound card: the tones are rendered by our
// synthesizer and pulled by a QAudioSink on the default output device.
// The sink lives in a thread of its own, so the interpreter never waits
// for audio and a busy statement never starves it. Without an output
// device (a server, a container) everything queued is dropped silently,
// with one line in the log.

#include "devices/ToneSynthesizer.h"

#include <QObject>
#include <QThread>

#include <memory>
#include <mutex>

namespace korvelin {

class AudioWorker;

class AudioPlayer : public SoundOutput {
  public:
    AudioPlayer();
    ~AudioPlayer() override;

    void play(std::vector<Tone> tones) override;
    void beep() override;
    void stop() override;

    // Samples still to be handed to the device (for tests).
    std::int64_t pendingSamples();
    // The device's processed audio in microseconds, -1 while no device is open.
    qint64 processedMicroseconds();
    // Whether an output device was found (known once a tone was queued).
    bool deviceFound();

  private:
    // Starts the thread and the sink on first use.
    void wake();

    std::mutex mutex_; // guards the synthesizer, shared with the audio thread
    ToneSynthesizer synthesizer_;
    QThread thread_;
    AudioWorker* worker_ = nullptr; // lives in thread_
};

} // namespace korvelin

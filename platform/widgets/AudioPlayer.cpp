#include "platform/widgets/AudioPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>

#include <atomic>
#include <cstring>

namespace korvelin {

namespace {

// The sink asks for this much ahead: short, so that the end button
// silences the music at once.
constexpr int BufferMilliseconds = 120;
// After this much silence the device is let go (and opened again on the
// next note).
constexpr int IdleMilliseconds = 3000;

// The device pulls samples from the synthesizer; silence when nothing is
// queued, so the sink never starves into an error state.
class ToneStream : public QIODevice {
  public:
    ToneStream(std::mutex& mutex, ToneSynthesizer& synthesizer) : mutex_(mutex), synthesizer_(synthesizer) {}
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return 1 << 20; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const auto samples = static_cast<std::size_t>(maxSize / 2);
        auto* out = reinterpret_cast<std::int16_t*>(data);
        std::size_t rendered = 0;
        {
            std::lock_guard lock(mutex_);
            rendered = synthesizer_.render(out, samples);
        }
        std::memset(out + rendered, 0, (samples - rendered) * sizeof(std::int16_t));
        return static_cast<qint64>(samples * 2);
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    std::mutex& mutex_;
    ToneSynthesizer& synthesizer_;
};

} // namespace

class AudioWorker : public QObject {
  public:
    AudioWorker(std::mutex& mutex, ToneSynthesizer& synthesizer)
        : mutex_(mutex), synthesizer_(synthesizer), stream_(mutex, synthesizer) {}

    // In the audio thread: open the device unless it is open.
    void wake() {
        if (!idleTimer_) {
            idleTimer_ = new QTimer(this);
            idleTimer_->setInterval(IdleMilliseconds);
            connect(idleTimer_, &QTimer::timeout, this, [this] { releaseWhenIdle(); });
        }
        if (sink_) return;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            noDevice();
            return;
        }
        QAudioFormat format;
        format.setSampleRate(ToneSynthesizer::SampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format)) {
            noDevice();
            return;
        }
        deviceFound = true;
        sink_ = new QAudioSink(device, format, this);
        sink_->setBufferSize(ToneSynthesizer::SampleRate * 2 * BufferMilliseconds / 1000);
        stream_.open(QIODevice::ReadOnly);
        sink_->start(&stream_);
        if (sink_->error() != QAudio::NoError) {
            closeSink();
            noDevice();
            return;
        }
        idleTimer_->start();
    }

    void shutDown() {
        closeSink();
        delete idleTimer_;
        idleTimer_ = nullptr;
    }

    qint64 processed() const { return sink_ ? sink_->processedUSecs() : -1; }

    std::atomic<bool> deviceFound = false;

  private:
    void noDevice() {
        {
            std::lock_guard lock(mutex_);
            synthesizer_.clear();
        }
        if (!told_) qInfo("korvelin: no audio output device; PLAY and BEEP are silent");
        told_ = true;
    }
    void releaseWhenIdle() {
        bool idle = false;
        {
            std::lock_guard lock(mutex_);
            idle = synthesizer_.idle();
        }
        if (idle && sink_) {
            closeSink();
            idleTimer_->stop();
        }
    }
    void closeSink() {
        if (!sink_) return;
        sink_->stop();
        delete sink_;
        sink_ = nullptr;
        stream_.close();
    }

    std::mutex& mutex_;
    ToneSynthesizer& synthesizer_;
    ToneStream stream_;
    QAudioSink* sink_ = nullptr;
    QTimer* idleTimer_ = nullptr;
    bool told_ = false;
};

AudioPlayer::AudioPlayer() {
    thread_.setObjectName(QStringLiteral("KorvelinAudio"));
}

AudioPlayer::~AudioPlayer() {
    if (!worker_) return;
    QMetaObject::invokeMethod(
        worker_, [this] { worker_->shutDown(); }, Qt::BlockingQueuedConnection);
    QMetaObject::invokeMethod(worker_, &QObject::deleteLater);
    thread_.quit();
    thread_.wait();
}

void AudioPlayer::wake() {
    if (!worker_) {
        worker_ = new AudioWorker(mutex_, synthesizer_);
        worker_->moveToThread(&thread_);
        thread_.start();
    }
    QMetaObject::invokeMethod(
        worker_, [this] { worker_->wake(); }, Qt::QueuedConnection);
}

void AudioPlayer::play(std::vector<Tone> tones) {
    {
        std::lock_guard lock(mutex_);
        synthesizer_.queue(tones);
    }
    wake();
}

void AudioPlayer::beep() {
    {
        std::lock_guard lock(mutex_);
        synthesizer_.startBeep();
    }
    wake();
}

void AudioPlayer::stop() {
    std::lock_guard lock(mutex_);
    synthesizer_.clear();
}

std::int64_t AudioPlayer::pendingSamples() {
    std::lock_guard lock(mutex_);
    return synthesizer_.pendingSamples();
}

qint64 AudioPlayer::processedMicroseconds() {
    if (!worker_) return -1;
    qint64 result = -1;
    QMetaObject::invokeMethod(
        worker_, [&] { result = worker_->processed(); }, Qt::BlockingQueuedConnection);
    return result;
}

bool AudioPlayer::deviceFound() {
    return worker_ && worker_->deviceFound;
}

} // namespace korvelin

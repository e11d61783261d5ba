#pragma once
// A sound output that writes what would sound into a WAV file (44.1 kHz,
// 16-bit, mono), in program order and with the notes' real durations, for
// batch runs and for checking music without speakers. The header's sizes
// are brought up to date after every write, so the file is complete even
// when the run is cut short.

#include "devices/ToneSynthesizer.h"

#include <QFile>

namespace korvelin {

class WavRecorder : public SoundOutput {
  public:
    // The data chunk never grows beyond this (a WAV file's sizes are 32-bit).
    static constexpr std::int64_t MaximumDataBytes = 0x7FFF0000;

    explicit WavRecorder(const QString& path);
    // False when the file could not be created.
    bool isOpen() const { return file_.isOpen(); }

    void play(std::vector<Tone> tones) override;
    void beep() override;
    void stop() override {}

    std::int64_t dataBytes() const { return dataBytes_; }

  private:
    void renderAll();
    void writeHeader();

    QFile file_;
    ToneSynthesizer synthesizer_;
    std::int64_t dataBytes_ = 0;
};

} // namespace korvelin

#pragma once
// Our voice layer: it checks and queues the notes PLAY sends, turns them
// into tones (pitch and duration) and, when the voice starts, hands them to
// the sound output, which plays them behind whatever is still sounding.
// Pitches are equal-tempered with note value 45 (the A of PLAY's default
// octave) at 440 Hz, so the default octave starts on middle C. A quarter
// note lasts 60 / tempo seconds; each dot adds half the previous addition.

#include "devices/MusicString.h"

#include <vector>

namespace korvelin {

struct Tone {
    double frequency = 0;       // Hz; 0 is a rest
    double seconds = 0;         // the note's full duration
    double soundingSeconds = 0; // how much of it sounds (articulation)
};

// Where tones are heard: the sound card, a WAV file, or nowhere.
class SoundOutput {
  public:
    virtual ~SoundOutput() = default;
    // Plays the tones after those still queued; returns at once.
    virtual void play(std::vector<Tone> tones) = 0;
    // A short tone, as the host's beep.
    virtual void beep() = 0;
    // Silences everything at once.
    virtual void stop() = 0;
};

// The beep: a short A5.
constexpr double BeepFrequency = 880;
constexpr double BeepSeconds = 0.15;

class VoiceQueue : public VoiceLayer {
  public:
    // Each queued note or accent change takes this many bytes of the queue.
    static constexpr int BytesPerEntry = 6;
    // The note values and the tempo range the layer takes; other values
    // are rejected (the note is not queued, the accent stays).
    static constexpr int HighestNote = 84;
    static constexpr int SlowestTempo = 32;
    static constexpr int FastestTempo = 4000;

    void setOutput(SoundOutput* output) { output_ = output; }
    SoundOutput* output() const { return output_; }

    int OpenSound() override;
    int SetVoiceQueueSize(int voice, int bytes) override;
    int SetVoiceAccent(int voice, int tempo, int volume, int mode, int pitch) override;
    int SetVoiceNote(int voice, int value, int length, int dots) override;
    int StartSound() override;

    void beep();
    void stop();

    static double frequencyOf(int noteValue);
    // The duration of a note of `length` with `dots` at `tempo`.
    static double secondsOf(int length, int dots, int tempo);

  private:
    bool takeEntry();

    SoundOutput* output_ = nullptr;
    std::vector<Tone> queued_;
    int capacity_ = VoiceQueueBytes / BytesPerEntry;
    int used_ = 0;
    int tempo_ = 120;
    int mode_ = 0;
};

} // namespace korvelin

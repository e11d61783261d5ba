#pragma once
// Renders queued tones into 16-bit mono PCM, a piece at a time, so that a
// sound card can pull samples as it needs them and a WAV file can be
// written without holding the whole piece. The tone is a square wave with
// rounded edges (tanh of a sine), and every note fades in and out over a
// few milliseconds, so that notes meet without clicks.

#include "devices/VoiceQueue.h"

#include <cstddef>
#include <cstdint>
#include <deque>

namespace korvelin {

class ToneSynthesizer {
  public:
    static constexpr int SampleRate = 44100;
    static constexpr double Amplitude = 0.3; // of full scale; the beep adds on top
    static constexpr double FadeSeconds = 0.004;
    // A program that queues music faster than it sounds loses what
    // exceeds this many notes (about an hour of quick notes).
    static constexpr std::size_t MaximumQueuedNotes = 50000;

    void queue(const std::vector<Tone>& tones);
    // The beep sounds at once, over the music.
    void startBeep();
    void clear();
    bool idle() const { return tones_.empty() && beepLeft_ == 0; }
    // Samples still to come from the queued tones and the beep.
    std::int64_t pendingSamples() const;

    // Fills up to `count` samples; returns how many were written (fewer
    // only when everything queued has been rendered).
    std::size_t render(std::int16_t* out, std::size_t count);

  private:
    struct Note {
        double frequency;
        std::int64_t samples;
        std::int64_t soundingSamples;
    };
    double noteSample(const Note& note, std::int64_t index, double& phase) const;

    std::deque<Note> tones_;
    std::int64_t position_ = 0; // samples of the front note already rendered
    double phase_ = 0;
    std::int64_t beepLeft_ = 0;
    double beepPhase_ = 0;
};

} // namespace korvelin

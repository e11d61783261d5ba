#include "devices/ToneSynthesizer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvelin {

namespace {

constexpr double Sharpness = 4.0; // how square the rounded square is
const double sharpnessNorm = std::tanh(Sharpness);

std::int64_t samplesOf(double seconds) {
    return static_cast<std::int64_t>(std::llround(std::max(0.0, seconds) * ToneSynthesizer::SampleRate));
}

double roundedSquare(double phase) {
    return std::tanh(Sharpness * std::sin(2 * std::numbers::pi * phase)) / sharpnessNorm;
}

// Rises over the first fade, falls over the last one.
double envelope(std::int64_t index, std::int64_t length, std::int64_t fade) {
    if (length <= 0) return 0;
    fade = std::min(fade, length / 2);
    if (fade <= 0) return 1;
    if (index < fade) return static_cast<double>(index) / static_cast<double>(fade);
    if (index >= length - fade) return static_cast<double>(length - index) / static_cast<double>(fade);
    return 1;
}

} // namespace

void ToneSynthesizer::queue(const std::vector<Tone>& tones) {
    for (const Tone& tone : tones) {
        const std::int64_t samples = samplesOf(tone.seconds);
        if (samples == 0) continue;
        if (tones_.size() >= MaximumQueuedNotes) break;
        tones_.push_back({tone.frequency, samples, std::min(samples, samplesOf(tone.soundingSeconds))});
    }
}

void ToneSynthesizer::startBeep() {
    beepLeft_ = samplesOf(BeepSeconds);
    beepPhase_ = 0;
}

void ToneSynthesizer::clear() {
    tones_.clear();
    position_ = 0;
    phase_ = 0;
    beepLeft_ = 0;
}

std::int64_t ToneSynthesizer::pendingSamples() const {
    std::int64_t total = -position_;
    for (const Note& note : tones_)
        total += note.samples;
    return std::max(std::max<std::int64_t>(total, 0), beepLeft_);
}

double ToneSynthesizer::noteSample(const Note& note, std::int64_t index, double& phase) const {
    if (note.frequency <= 0 || index >= note.soundingSamples) return 0;
    const double value = roundedSquare(phase) * envelope(index, note.soundingSamples, samplesOf(FadeSeconds));
    phase += note.frequency / SampleRate;
    phase -= std::floor(phase);
    return value;
}

std::size_t ToneSynthesizer::render(std::int16_t* out, std::size_t count) {
    const std::int64_t beepLength = samplesOf(BeepSeconds);
    const std::int64_t fade = samplesOf(FadeSeconds);
    std::size_t written = 0;
    while (written < count && !idle()) {
        double value = 0;
        if (!tones_.empty()) {
            const Note& note = tones_.front();
            value = noteSample(note, position_, phase_);
            if (++position_ >= note.samples) {
                tones_.pop_front();
                position_ = 0;
                phase_ = 0;
            }
        }
        if (beepLeft_ > 0) {
            const std::int64_t index = beepLength - beepLeft_;
            value += roundedSquare(beepPhase_) * envelope(index, beepLength, fade);
            beepPhase_ += BeepFrequency / SampleRate;
            beepPhase_ -= std::floor(beepPhase_);
            --beepLeft_;
        }
        out[written++] =
            static_cast<std::int16_t>(std::lround(std::clamp(value * Amplitude, -1.0, 1.0) * 32767));
    }
    return written;
}

} // namespace korvelin

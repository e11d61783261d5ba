#include "devices/VoiceQueue.h"

#include <cmath>

namespace korvelin {

namespace {

constexpr int ErrorResult = -1;

// The part of a note that sounds: legato holds it to the next note,
// normal leaves an eighth silent, staccato a quarter.
double soundingShare(int mode) {
    switch (mode) {
    case 1: return 1.0;
    case 2: return 0.75;
    default: return 0.875;
    }
}

} // namespace

double VoiceQueue::frequencyOf(int noteValue) {
    return 440.0 * std::pow(2.0, (noteValue - 45) / 12.0);
}

double VoiceQueue::secondsOf(int length, int dots, int tempo) {
    const double plain = 240.0 / (static_cast<double>(tempo) * length);
    double added = plain;
    double total = plain;
    // Past a few dozen dots the additions no longer change a double.
    for (int d = 0; d < dots && d < 60; ++d) {
        added /= 2;
        total += added;
    }
    return total;
}

int VoiceQueue::OpenSound() {
    // The queue of the last PLAY has been handed on; the voice is free.
    queued_.clear();
    used_ = 0;
    return 0;
}

int VoiceQueue::SetVoiceQueueSize(int voice, int bytes) {
    if (voice != 1 || bytes < BytesPerEntry) return ErrorResult;
    capacity_ = bytes / BytesPerEntry;
    return 0;
}

bool VoiceQueue::takeEntry() {
    if (used_ >= capacity_) return false;
    ++used_;
    return true;
}

int VoiceQueue::SetVoiceAccent(int voice, int tempo, int volume, int mode, int pitch) {
    (void)volume;
    (void)pitch;
    if (voice != 1 || tempo < SlowestTempo || tempo > FastestTempo || mode < 0 || mode > 2)
        return ErrorResult;
    if (!takeEntry()) return ErrorResult;
    tempo_ = tempo;
    mode_ = mode;
    return 0;
}

int VoiceQueue::SetVoiceNote(int voice, int value, int length, int dots) {
    if (voice != 1 || value < 0 || value > HighestNote || length < 1 || dots < 0) return ErrorResult;
    if (!takeEntry()) return ErrorResult;
    Tone tone;
    tone.frequency = value == 0 ? 0 : frequencyOf(value);
    tone.seconds = secondsOf(length, dots, tempo_);
    tone.soundingSeconds = value == 0 ? 0 : tone.seconds * soundingShare(mode_);
    queued_.push_back(tone);
    return 0;
}

int VoiceQueue::StartSound() {
    if (output_ && !queued_.empty()) output_->play(std::move(queued_));
    queued_.clear();
    used_ = 0;
    return 0;
}

void VoiceQueue::beep() {
    if (output_) output_->beep();
}

void VoiceQueue::stop() {
    if (output_) output_->stop();
}

} // namespace korvelin

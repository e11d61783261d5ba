#include "devices/MusicString.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace korvelin {

namespace {

// A note letter's semitone index: its place in "PCzDzEFzGzAzB" less one,
// where the z places are the sharps.
int semitoneIndex(char16_t letter) {
    switch (letter) {
    case u'C': return 1;
    case u'D': return 3;
    case u'E': return 5;
    case u'F': return 6;
    case u'G': return 8;
    case u'A': return 10;
    case u'B': return 12;
    default: return 0; // P, the rest
    }
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The octave moves by one per "<" or ">", so a long string of them could
// leave the int range; the voice layer rejects such notes anyway.
int clampToInt(std::int64_t v) {
    return static_cast<int>(
        std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

class MusicReader {
  public:
    MusicReader(std::u16string_view music, VoiceLayer& voice) : voice_(voice) {
        text_.reserve(music.size());
        for (char16_t c : music)
            text_ += (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }

    void read() {
        voice_.OpenSound();
        voice_.SetVoiceQueueSize(1, VoiceQueueBytes);
        for (j_ = 0; j_ < text_.size(); ++j_)
            act(text_[j_]);
        flush();
        voice_.StartSound();
    }

  private:
    void act(char16_t c) {
        if ((c >= u'A' && c <= u'G') || c == u'P') {
            flush();
            noteIndex_ = semitoneIndex(c);
            notePending_ = true;
            return;
        }
        if (c >= u'1' && c <= u'9') {
            noteLength_ = readNumber();
            return;
        }
        switch (c) {
        case u'+':
        case u'#': ++noteIndex_; return;
        case u'-': --noteIndex_; return;
        case u'.': ++dots_; return;
        case u'>':
            flush();
            ++octave_;
            return;
        case u'<':
            flush();
            --octave_;
            return;
        case u'M':
            flush();
            ++j_;
            if (j_ < text_.size()) {
                if (text_[j_] == u'N') articulation_ = 0;
                if (text_[j_] == u'L') articulation_ = 1;
                if (text_[j_] == u'S') articulation_ = 2;
            }
            accentDirty_ = true;
            return;
        case u'N':
            flush();
            ++j_;
            noteIndex_ = readNumber();
            notePending_ = true;
            flush();
            return;
        case u'O':
            flush();
            ++j_;
            octave_ = readNumber();
            return;
        case u'T':
            flush();
            ++j_;
            tempoValue_ = 4 * readNumber();
            accentDirty_ = true;
            return;
        case u'L':
            flush();
            ++j_;
            defaultLength_ = readNumber();
            return;
        default: return; // blanks, V, a lone 0 and anything else
        }
    }

    // At most three digits from j_; j_ stays on the last digit read. A
    // character that is no digit (or the end) counts as 0.
    int readNumber() {
        int value = j_ < text_.size() && isDigit(text_[j_]) ? text_[j_] - u'0' : 0;
        for (int more = 0; more < 2 && j_ + 1 < text_.size() && isDigit(text_[j_ + 1]); ++more) {
            ++j_;
            value = 10 * value + (text_[j_] - u'0');
        }
        return value;
    }

    void flush() {
        if (accentDirty_) voice_.SetVoiceAccent(1, tempoValue_, 1, articulation_, 0);
        if (notePending_) {
            const std::int64_t value = noteIndex_ > 0 ? 12 * octave_ + noteIndex_ - 1 : noteIndex_;
            const int length = noteLength_ != 0 ? noteLength_ : defaultLength_;
            noteLength_ = 0;
            voice_.SetVoiceNote(1, clampToInt(value), length, dots_);
            dots_ = 0;
        }
        notePending_ = false;
        accentDirty_ = false;
    }

    VoiceLayer& voice_;
    std::u16string text_;
    std::size_t j_ = 0;
    std::int64_t octave_ = 3;
    int defaultLength_ = 4;
    int tempoValue_ = 100;
    int articulation_ = 0;
    bool accentDirty_ = true;
    bool notePending_ = false;
    std::int64_t noteIndex_ = 0;
    int noteLength_ = 0;
    int dots_ = 0;
};

} // namespace

void playMusicString(std::u16string_view music, VoiceLayer& voice) {
    MusicReader(music, voice).read();
}

} // namespace korvelin

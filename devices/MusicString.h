#pragma once
// The music macro language of PLAY: a string of note letters, lengths,
// octave, tempo and articulation commands read into calls of the host's
// voice layer. Nothing in a music string is an error: unknown characters
// are skipped and missing numbers count as 0.

#include <string_view>

namespace korvelin {

// The voice synthesizer as PLAY drives it (one voice, number 1). The
// results are the voice layer's and PLAY ignores them.
class VoiceLayer {
  public:
    virtual ~VoiceLayer() = default;
    virtual int OpenSound() = 0;
    virtual int SetVoiceQueueSize(int voice, int bytes) = 0;
    // tempo in quarter notes per minute; mode 0 normal, 1 legato, 2 staccato.
    virtual int SetVoiceAccent(int voice, int tempo, int volume, int mode, int pitch) = 0;
    // value 0 is a rest, 1..84 semitones; length 4 is a quarter note.
    virtual int SetVoiceNote(int voice, int value, int length, int dots) = 0;
    virtual int StartSound() = 0;
};

constexpr int VoiceQueueBytes = 9216;

// Reads one music string and queues its notes on the voice layer, then
// starts the voice. Every call starts from octave 3, length 4, tempo 100.
void playMusicString(std::u16string_view music, VoiceLayer& voice);

} // namespace korvelin

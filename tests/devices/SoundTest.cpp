// PLAY and BEEP: the music-string reader against a recording voice layer,
// the voice queue's pitches, durations and rejections, and the rendered
// sound (a WAV file analysed per note).

#include "devices/ToneSynthesizer.h"
#include "devices/WavRecorder.h"
#include "support/RunProgram.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace korvelin::testing {
namespace {

// Writes every voice-layer call as a short word: O (open), Q<bytes>,
// A<tempo>,<mode>, N<value>,<length>,<dots>, S (start).
class RecordingVoice : public VoiceLayer {
  public:
    std::string calls;
    int OpenSound() override { return add("O"); }
    int SetVoiceQueueSize(int voice, int bytes) override {
        return add("Q" + std::to_string(voice) + ":" + std::to_string(bytes));
    }
    int SetVoiceAccent(int voice, int tempo, int volume, int mode, int pitch) override {
        EXPECT_EQ(voice, 1);
        EXPECT_EQ(volume, 1);
        EXPECT_EQ(pitch, 0);
        return add("A" + std::to_string(tempo) + "," + std::to_string(mode));
    }
    int SetVoiceNote(int voice, int value, int length, int dots) override {
        EXPECT_EQ(voice, 1);
        return add("N" + std::to_string(value) + "," + std::to_string(length) + "," + std::to_string(dots));
    }
    int StartSound() override { return add("S"); }

  private:
    int add(const std::string& word) {
        calls += calls.empty() ? word : " " + word;
        return 0;
    }
};

std::string readMusic(std::u16string_view music) {
    RecordingVoice voice;
    playMusicString(music, voice);
    // Every string opens the voice, sizes the queue and starts it.
    const std::string head = "O Q1:9216 ";
    EXPECT_EQ(voice.calls.substr(0, head.size()), head) << voice.calls;
    EXPECT_EQ(voice.calls.substr(voice.calls.size() - 2), " S") << voice.calls;
    return voice.calls.substr(head.size(), voice.calls.size() - head.size() - 2);
}

TEST(MusicString, NotesLengthsOctavesAndCommands) {
    const struct {
        const char16_t* music;
        const char* calls;
    } cases[] = {
        {u"CDE", "A100,0 N36,4,0 N38,4,0 N40,4,0"},
        {u"cde", "A100,0 N36,4,0 N38,4,0 N40,4,0"},
        {u"", "A100,0"},
        {u"O4C", "A100,0 N48,4,0"},
        {u"C>C", "A100,0 N36,4,0 N48,4,0"},
        {u"C<C", "A100,0 N36,4,0 N24,4,0"},
        {u"B+", "A100,0 N48,4,0"},
        {u"C#D-", "A100,0 N37,4,0 N37,4,0"},
        {u"C8.", "A100,0 N36,8,1"},
        {u"C#8..", "A100,0 N37,8,2"},
        {u"L8CC4", "A100,0 N36,8,0 N36,4,0"},
        {u"T120C", "A100,0 A480,0 N36,4,0"},
        {u"MSC", "A100,0 A100,2 N36,4,0"},
        {u"MLCMNC", "A100,0 A100,1 N36,4,0 A100,0 N36,4,0"},
        {u"MXC", "A100,0 A100,0 N36,4,0"},
        {u"P4", "A100,0 N0,4,0"},
        {u"C-", "A100,0 N0,4,0"},
        {u"C123456", "A100,0 N36,456,0"},
        {u"V15C", "A100,0 N36,15,0"},
        {u"C0D", "A100,0 N36,4,0 N38,4,0"},
        {u"OC", "A100,0"},
        {u"N37", "A100,0 N72,4,0"},
        {u"N0C", "A100,0 N0,4,0 N36,4,0"},
        {u"N", "A100,0 N0,4,0"},
        {u"T", "A100,0 A0,0"},
        {u"L", "A100,0"},
        {u"LC", "A100,0"}, // the C is L's missing number: length 0
        {u"L0C", "A100,0 N36,0,0"},
        {u"O0C<C", "A100,0 N0,4,0 N-12,4,0"},
        {u"O9B", "A100,0 N119,4,0"},
        {u"C D  E", "A100,0 N36,4,0 N38,4,0 N40,4,0"},
        {u"C!?*D", "A100,0 N36,4,0 N38,4,0"},
        {u"T1234C", "A100,0 A492,0 N36,4,0"}, // three digits, then a length 4 for C
        {u"C.4.", "A100,0 N36,4,2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readMusic(c.music), c.calls)
            << std::string(c.music, c.music + std::char_traits<char16_t>::length(c.music));
}

// Keeps what reaches the sound output.
class RecordingOutput : public SoundOutput {
  public:
    std::vector<std::vector<Tone>> plays;
    int beeps = 0;
    int stops = 0;
    void play(std::vector<Tone> tones) override { plays.push_back(std::move(tones)); }
    void beep() override { ++beeps; }
    void stop() override { ++stops; }
};

TEST(VoiceQueue, PitchesDurationsAndRejections) {
    EXPECT_NEAR(VoiceQueue::frequencyOf(45), 440.0, 1e-9);
    EXPECT_NEAR(VoiceQueue::frequencyOf(36), 261.6256, 1e-3); // PLAY "C": middle C
    EXPECT_NEAR(VoiceQueue::frequencyOf(57), 880.0, 1e-9);
    EXPECT_NEAR(VoiceQueue::secondsOf(4, 0, 100), 0.6, 1e-12);
    EXPECT_NEAR(VoiceQueue::secondsOf(8, 0, 480), 0.0625, 1e-12);
    EXPECT_NEAR(VoiceQueue::secondsOf(4, 1, 100), 0.9, 1e-12);
    EXPECT_NEAR(VoiceQueue::secondsOf(4, 2, 100), 1.05, 1e-12);
    EXPECT_NEAR(VoiceQueue::secondsOf(1, 1000000, 32), 15.0, 1e-9); // dots converge

    RecordingOutput out;
    VoiceQueue voice;
    voice.setOutput(&out);
    // A rejected tempo keeps the one before; rejected notes are not queued.
    playMusicString(u"T30C T0C O7B O0N86 O0N85 O3T30MLC MSC L0C", voice);
    ASSERT_EQ(out.plays.size(), 1u);
    const std::vector<Tone>& t = out.plays[0];
    ASSERT_EQ(t.size(), 5u);
    EXPECT_NEAR(t[0].seconds, 0.5, 1e-12);                          // T30: 120 per minute
    EXPECT_NEAR(t[1].seconds, 0.5, 1e-12);                          // T0 rejected
    EXPECT_NEAR(t[2].frequency, VoiceQueue::frequencyOf(84), 1e-9); // O7B, value 85 and length 0 rejected
    EXPECT_NEAR(t[0].soundingSeconds, 0.5 * 7 / 8, 1e-12);          // normal
    EXPECT_NEAR(t[3].soundingSeconds, t[3].seconds, 1e-12);         // legato
    EXPECT_NEAR(t[4].soundingSeconds, 0.5 * 3 / 4, 1e-12);          // staccato

    // The queue holds 9216 bytes: what does not fit is dropped.
    std::u16string many(3000, u'C');
    playMusicString(many, voice);
    ASSERT_EQ(out.plays.size(), 2u);
    EXPECT_EQ(out.plays[1].size(), 9216u / VoiceQueue::BytesPerEntry - 1); // one entry is the accent
    // A rest is silent for its whole length.
    playMusicString(u"P8", voice);
    EXPECT_EQ(out.plays[2][0].frequency, 0);
    EXPECT_EQ(out.plays[2][0].soundingSeconds, 0);
}

TEST(VoiceQueue, StatementsReachTheOutput) {
    ProgramRun run;
    RecordingOutput out;
    run.in->voices.setOutput(&out);
    run.run(
        u"10 A$=\"CDE\": PLAY A$\n20 PLAY \"\"\n30 BEEP: BEEP 0: BEEP X+1\n40 PLAY ALLOC 1,2,3\n50 PLAY CDE\n"
        u"60 PLAY \"C\" \"D\"");
    EXPECT_EQ(run.errorNumber(), 1); // one music string per statement
    EXPECT_EQ(out.beeps, 3);
    ASSERT_EQ(out.plays.size(), 3u); // an empty string starts nothing; "C" sounds before the error
    ASSERT_EQ(out.plays[0].size(), 1u);
    EXPECT_NEAR(out.plays[0][0].frequency, 440.0, 1e-9); // PLAY A$ plays the note A
    EXPECT_EQ(out.plays[1].size(), 3u);
    // Without an output PLAY and BEEP are silent and still no error.
    ProgramRun silent(u"10 PLAY \"CDEFG\": BEEP: X=1");
    EXPECT_FALSE(silent.failed());
    EXPECT_EQ(silent.num(u"X!"), 1);
}

// A WAV file's samples, after checking its header.
std::vector<std::int16_t> readWav(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_GE(bytes.size(), 44);
    EXPECT_EQ(bytes.left(4), "RIFF");
    EXPECT_EQ(bytes.mid(8, 8), "WAVEfmt ");
    auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    EXPECT_EQ(u16(20), 1); // PCM
    EXPECT_EQ(u16(22), 1); // mono
    EXPECT_EQ(u32(24), 44100u);
    EXPECT_EQ(u16(34), 16);
    EXPECT_EQ(u32(40), static_cast<quint32>(bytes.size() - 44));
    EXPECT_EQ(u32(4), static_cast<quint32>(bytes.size() - 8));
    std::vector<std::int16_t> samples(static_cast<std::size_t>(bytes.size() - 44) / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = qFromLittleEndian<qint16>(bytes.constData() + 44 + 2 * i);
    return samples;
}

// The frequency of a stretch of samples, from its rising zero crossings.
double dominantFrequency(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    std::vector<std::size_t> rising;
    for (std::size_t i = from + 1; i < to; ++i)
        if (s[i - 1] < 0 && s[i] >= 0) rising.push_back(i);
    if (rising.size() < 2) return 0;
    return (static_cast<double>(rising.size()) - 1) * ToneSynthesizer::SampleRate /
           static_cast<double>(rising.back() - rising.front());
}

TEST(SoundRendering, WavHasTheNotesDurationsAndPitches) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("music.wav"));
    {
        WavRecorder wav(path);
        ASSERT_TRUE(wav.isOpen());
        ProgramRun run;
        run.in->voices.setOutput(&wav);
        run.run(u"10 PLAY \"T120O4L8CDEFGAB>C\"\n20 PLAY \"T60P4MLA2\"\n30 BEEP");
        ASSERT_FALSE(run.failed());
    }
    const std::vector<std::int16_t> s = readWav(path);
    const std::size_t eighth = 44100 / 16; // T120: a quarter note is 15/120 s
    const std::size_t quarter60 = 44100 / 4, half60 = 44100 / 2, beep = 6615;
    ASSERT_EQ(s.size(), 8 * eighth + quarter60 + half60 + beep);
    const int values[] = {48, 50, 52, 53, 55, 57, 59, 60};
    for (int n = 0; n < 8; ++n) {
        const std::size_t start = static_cast<std::size_t>(n) * eighth;
        const std::size_t sounding = eighth * 7 / 8;
        EXPECT_NEAR(dominantFrequency(s, start, start + sounding), VoiceQueue::frequencyOf(values[n]),
                    VoiceQueue::frequencyOf(values[n]) * 0.01)
            << "note " << n;
        // Notes fade in and out: no click where they meet.
        EXPECT_LT(std::abs(s[start]), 200) << "note " << n;
        EXPECT_LT(std::abs(s[start + sounding - 1]), 600) << "note " << n;
        // The normal articulation leaves the last eighth of the note silent.
        for (std::size_t i = start + sounding + 2; i < start + eighth; ++i)
            ASSERT_EQ(s[i], 0) << "note " << n;
    }
    // The rest is silent; the legato A sounds to its end.
    const std::size_t rest = 8 * eighth;
    for (std::size_t i = rest; i < rest + quarter60; ++i)
        ASSERT_EQ(s[i], 0);
    EXPECT_NEAR(dominantFrequency(s, rest + quarter60, rest + quarter60 + half60), 440.0, 4.0);
    EXPECT_NE(s[rest + quarter60 + half60 - 100], 0);
    const std::size_t beepStart = rest + quarter60 + half60;
    EXPECT_NEAR(dominantFrequency(s, beepStart, s.size()), BeepFrequency, BeepFrequency * 0.01);
}

TEST(SoundRendering, BeepSoundsOverTheMusicAndClearStops) {
    ToneSynthesizer synth;
    synth.queue({{440.0, 0.5, 0.5}});
    synth.startBeep();
    std::vector<std::int16_t> block(44100);
    const std::size_t n = synth.render(block.data(), block.size());
    EXPECT_EQ(n, 22050u); // the beep ends inside the note
    int loudest = 0;
    for (std::size_t i = 0; i < n; ++i)
        loudest = std::max(loudest, std::abs(static_cast<int>(block[i])));
    EXPECT_LE(loudest, 32767);
    EXPECT_GT(loudest, static_cast<int>(ToneSynthesizer::Amplitude * 32767 * 1.5)); // both at once
    synth.queue({{440.0, 10.0, 10.0}});
    EXPECT_EQ(synth.pendingSamples(), 441000);
    synth.clear();
    EXPECT_TRUE(synth.idle());
    EXPECT_EQ(synth.render(block.data(), block.size()), 0u);
}

} // namespace
} // namespace korvelin::testing

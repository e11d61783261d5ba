// The sound card output: without a device PLAY costs nothing and says
// nothing; with one (the null sink of tests/widgets/audio-null-sink.sh)
// the tones are pulled by the device in the background.

#include "platform/widgets/AudioPlayer.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QThread>

#include <gtest/gtest.h>

namespace korvelin {
namespace {

std::vector<Tone> melody(double seconds) {
    std::vector<Tone> tones;
    for (int i = 0; i < 8; ++i)
        tones.push_back({VoiceQueue::frequencyOf(48 + i), seconds / 8, seconds / 8 * 7 / 8});
    return tones;
}

TEST(AudioPlayer, PlayReturnsAtOnceAndEndsQuickly) {
    QElapsedTimer clock;
    clock.start();
    {
        AudioPlayer player;
        player.play(melody(30.0));
        player.beep();
        EXPECT_LT(clock.elapsed(), 100); // the interpreter never waits for the sound
        player.stop();
        EXPECT_EQ(player.pendingSamples(), 0);
        player.play(melody(30.0));
    }
    // Ending the application with music queued does not wait for it either.
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST(AudioPlayer, SoundsThroughTheDefaultOutput) {
    if (QMediaDevices::audioOutputs().isEmpty())
        GTEST_SKIP() << "no audio output device (run tests/widgets/audio-null-sink.sh for a null sink)";
    AudioPlayer player;
    player.play(melody(1.0));
    QElapsedTimer clock;
    clock.start();
    // The queue drains as the device plays it: about a second.
    while (player.pendingSamples() > 0 && clock.elapsed() < 10000) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    EXPECT_TRUE(player.deviceFound());
    EXPECT_EQ(player.pendingSamples(), 0);
    EXPECT_GT(clock.elapsed(), 700);
    EXPECT_GE(player.processedMicroseconds(), 500000); // the device lags by its buffer
}

} // namespace
} // namespace korvelin

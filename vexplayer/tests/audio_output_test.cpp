// Channel-1 sound on SDL's dummy device, which plays like a sound card without one.

#include <gtest/gtest.h>

#include <cstdlib>

#include "audio_output.h"
#include "playback.h"
#include "sample_card.h"

namespace vexplayer {
namespace {

using tripdesk::test::SampleCard;

using namespace std::chrono_literals;

class AudioOnDummyDevice : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        output = AudioOutput::open();
        ASSERT_TRUE(output);
    }
    void TearDown() override {
        output.reset();
        ::unsetenv("SDL_AUDIODRIVER");
    }
    static AudioChunk OneSecond(std::uint64_t serial = 1) {
        AudioChunk chunk;
        chunk.serial = serial;
        chunk.samples.assign(kAudioRate * kAudioChannels, 1000);
        return chunk;
    }
    std::unique_ptr<AudioOutput> output;
};

TEST_F(AudioOnDummyDevice, SpeedChangesHowLongTheSoundLasts) {
    output->setPaused(true);   // nothing is consumed while paused
    output->play(OneSecond());
    EXPECT_NEAR(output->queuedSeconds(), 1.0, 0.01);
    output->setSpeed(2.0);
    EXPECT_EQ(output->queuedSeconds(), 0.0) << "sound made for the old speed is dropped";
    output->play(OneSecond());
    EXPECT_NEAR(output->queuedSeconds(), 0.5, 0.02);
    output->clear();
    output->setSpeed(0.5);
    output->setVolume(0);
    output->play(OneSecond());
    EXPECT_NEAR(output->queuedSeconds(), 2.0, 0.02);
}

TEST_F(AudioOnDummyDevice, PlaybackKeepsTheDeviceFedWhilePlayingOnly) {
    const auto [front, rear] = SampleCard::get().pair(0);
    auto wakeup = std::make_shared<Wakeup>();
    Playback playback(PlaybackSettings{true, true, true}, wakeup);
    ASSERT_TRUE(playback.open(front, rear, std::nullopt, Playback::Clock::now()));
    double mostQueued = 0;
    const auto until = Playback::Clock::now() + 1500ms;
    while (Playback::Clock::now() < until) {
        const PlaybackTurn turn = playback.advance(Playback::Clock::now());
        playback.feedAudio(*output, Playback::Clock::now());
        mostQueued = std::max(mostQueued, output->queuedSeconds());
        wakeup->waitUntil(std::min(turn.wakeAt, Playback::Clock::now() + 20ms));
    }
    EXPECT_GT(mostQueued, 0.05);
    EXPECT_LT(mostQueued, 0.5) << "only a short lead is queued";

    playback.togglePause(Playback::Clock::now());
    playback.feedAudio(*output, Playback::Clock::now());
    const double queued = output->queuedSeconds();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(output->queuedSeconds(), queued) << "the device is paused with the playback";
}

} // namespace
} // namespace vexplayer

#pragma once
// Two channels on one clock: opens the files, keeps their decoders, decides on every turn of the
// player loop which pictures are due, and notices the end of the clip. Channel 1 leads: the clock
// starts at its first picture and the clip ends with it; channel 2 shows its newest picture not
// after channel 1's. Seeks are queued and merged; each one bumps the serial that tags decoded
// pictures, so nothing decoded for an earlier position or file is ever presented.
// Player thread only.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "channel_decoder.h"
#include "playback_clock.h"
#include "user_data_index.h"

namespace vexplayer {

class AudioOutput;

enum class PlaybackPhase {
    Closed,       // no file
    Prerolling,   // waiting for the first picture after an open or a seek
    Playing,      // running or paused
    Ended,        // the last picture has had its time; it stays shown
    Failed,       // channel 1 cannot be played
};

struct PresentedFrame {
    DecodedPicture channel1;
    std::optional<DecodedPicture> channel2;   // a new channel-2 picture, if there is one
    std::array<std::uint32_t, 2> pictureNumbers{};   // pictures taken from each channel so far
};

struct PlaybackTurn {
    enum class Outcome { None, Ended, Failed };
    std::optional<PresentedFrame> frame;
    Outcome outcome = Outcome::None;
    PlaybackClock::Clock::time_point wakeAt;
};

struct PlaybackSettings {
    bool pictures = true;   // make the contract's pictures
    bool paced = true;      // false: every picture as soon as it is decoded
    bool sound = true;      // decode channel-1 audio
};

class Playback {
public:
    using Clock = PlaybackClock::Clock;

    Playback(PlaybackSettings settings, std::shared_ptr<Wakeup> wakeup);
    ~Playback();

    // Replaces the files and prerolls from the start, running unless paused later. The user data
    // is counted even when channel 1 cannot be played (phase Failed, false).
    bool open(const std::string& channel1, const std::string& channel2,
              std::optional<std::uint32_t> scrambleKey, Clock::time_point now);
    void close();

    PlaybackPhase phase() const { return phase_; }
    // Nothing is due until a command: closed, ended, failed, or paused (also stopped) with no
    // frame step or seek waiting.
    bool resting() const;
    bool hasChannel2() const { return decoders_[1] != nullptr; }
    double clipSeconds() const { return clipSeconds_; }
    const UserDataIndex& userData() const { return userData_; }
    const PlaybackClock& clock() const { return clock_; }

    void togglePause(Clock::time_point now);
    void stop(Clock::time_point now);
    // Queued; applied on the next turn. Seeking resumes a paused, stopped or ended playback. A
    // relative seek counts from a seek still queued, else from the picture shown last.
    void seekRelative(double seconds, Clock::time_point now);
    void seekAbsolute(double seconds);
    void stepFrame();
    void setSpeed(double speed, Clock::time_point now);
    void setAudioWanted(bool wanted);

    PlaybackTurn advance(Clock::time_point now);
    void feedAudio(AudioOutput& output, Clock::time_point now);

private:
    PlaybackTurn preroll(Clock::time_point now);
    PlaybackTurn playPaced(Clock::time_point now);
    PlaybackTurn playUnpaced(Clock::time_point now);
    PresentedFrame present(DecodedPicture channel1, std::optional<DecodedPicture> channel2);
    std::optional<DecodedPicture> channel2UpTo(double channel1Position);
    PlaybackTurn endTurn(Clock::time_point now);
    void applySeek(double target, Clock::time_point now);

    const PlaybackSettings settings_;
    std::shared_ptr<Wakeup> wakeup_;
    std::array<std::unique_ptr<ChannelDecoder>, 2> decoders_;
    PlaybackPhase phase_ = PlaybackPhase::Closed;
    PlaybackClock clock_;
    UserDataIndex userData_;
    double clipSeconds_ = 0;
    std::uint64_t serial_ = 0;
    std::uint64_t audioSerial_ = 0;
    bool audioWanted_ = true;
    bool paused_ = false;
    bool stepPending_ = false;
    std::optional<double> pendingSeek_;
    Clock::time_point prerollStarted_{};
    std::optional<double> shownPosition_;   // of the picture shown last since the open or seek
    double shownEnd_ = 0;                   // when that picture has had its time
    std::array<std::uint32_t, 2> pictureNumbers_{};
    std::optional<DecodedPicture> heldChannel2_;   // unpaced: taken, not yet presented
};

} // namespace vexplayer

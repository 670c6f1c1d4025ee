#include "playback.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "audio_output.h"
#include "recording_input.h"

namespace vexplayer {

namespace {

using namespace std::chrono_literals;

// How long a preroll waits for channel 2's first picture before starting without it.
constexpr auto kChannel2Patience = 1500ms;
// The longest sleep of the player loop while nothing is due (the stop flag is polled).
constexpr auto kPollInterval = 20ms;
// Device time of channel-1 audio kept queued ahead.
constexpr double kAudioLeadSeconds = 0.12;
// Audio this far off the clock is dropped (late) or held back (early).
constexpr double kAudioSlackSeconds = 0.04;

} // namespace

Playback::Playback(PlaybackSettings settings, std::shared_ptr<Wakeup> wakeup)
    : settings_(settings), wakeup_(std::move(wakeup)) {}

Playback::~Playback() { close(); }

bool Playback::open(const std::string& channel1, const std::string& channel2,
                    std::optional<std::uint32_t> scrambleKey, Clock::time_point now) {
    close();
    ++serial_;
    auto file1 = MediaFile::open(channel1, scrambleKey, settings_.sound);
    clipSeconds_ = file1 ? file1->clipSeconds() : 0;
    const auto input = RecordingInput::open(channel1, scrambleKey);
    auto table = input ? ReadUserData(*input) : std::nullopt;
    userData_ = UserDataIndex(table.value_or(UserDataTable{}), clipSeconds_);
    if (!file1) {
        phase_ = PlaybackPhase::Failed;
        return false;
    }
    auto file2 = channel2.empty() ? nullptr : MediaFile::open(channel2, scrambleKey, false);
    decoders_[0] = std::make_unique<ChannelDecoder>(
        std::move(file1), DecoderSettings{settings_.pictures, settings_.sound}, serial_, wakeup_);
    decoders_[0]->setAudioWanted(audioWanted_);
    if (file2)
        decoders_[1] = std::make_unique<ChannelDecoder>(std::move(file2), DecoderSettings{settings_.pictures, false},
                                                        serial_, wakeup_);
    phase_ = PlaybackPhase::Prerolling;
    prerollStarted_ = now;
    paused_ = false;
    stepPending_ = false;
    pendingSeek_.reset();
    clock_.set(0, now);
    clock_.setRunning(false, now);
    shownPosition_.reset();
    shownEnd_ = 0;
    pictureNumbers_ = {};
    heldChannel2_.reset();
    return true;
}

void Playback::close() {
    for (auto& decoder : decoders_) decoder.reset();
    phase_ = PlaybackPhase::Closed;
    clipSeconds_ = 0;
    userData_ = UserDataIndex();
}

bool Playback::resting() const {
    if (pendingSeek_) return false;
    switch (phase_) {
    case PlaybackPhase::Closed:
    case PlaybackPhase::Ended:
    case PlaybackPhase::Failed: return true;
    case PlaybackPhase::Playing: return paused_ && !stepPending_;
    case PlaybackPhase::Prerolling: break;
    }
    return false;
}

void Playback::togglePause(Clock::time_point now) {
    if (phase_ != PlaybackPhase::Prerolling && phase_ != PlaybackPhase::Playing) return;
    paused_ = !paused_;
    if (phase_ == PlaybackPhase::Playing) clock_.setRunning(!paused_, now);
}

void Playback::stop(Clock::time_point now) {
    paused_ = true;
    clock_.setRunning(false, now);
}

void Playback::seekRelative(double seconds, Clock::time_point now) {
    const double from = pendingSeek_ ? *pendingSeek_ : shownPosition_ ? *shownPosition_ : clock_.position(now);
    seekAbsolute(from + seconds);
}

void Playback::seekAbsolute(double seconds) {
    if (!decoders_[0]) return;
    pendingSeek_ = std::clamp(seconds, 0.0, clipSeconds_);
    if (phase_ == PlaybackPhase::Ended || phase_ == PlaybackPhase::Failed) phase_ = PlaybackPhase::Prerolling;
}

void Playback::stepFrame() {
    if (phase_ == PlaybackPhase::Playing && paused_) stepPending_ = true;
}

void Playback::setSpeed(double speed, Clock::time_point now) { clock_.setSpeed(speed, now); }

void Playback::setAudioWanted(bool wanted) {
    audioWanted_ = wanted;
    if (decoders_[0]) decoders_[0]->setAudioWanted(wanted);
}

void Playback::applySeek(double target, Clock::time_point now) {
    ++serial_;
    for (auto& decoder : decoders_)
        if (decoder) decoder->seek(target, serial_);
    paused_ = false;
    stepPending_ = false;
    heldChannel2_.reset();
    shownPosition_.reset();
    clock_.set(target, now);
    clock_.setRunning(false, now);
    phase_ = PlaybackPhase::Prerolling;
    prerollStarted_ = now;
}

PlaybackTurn Playback::advance(Clock::time_point now) {
    if (pendingSeek_) {
        applySeek(*pendingSeek_, now);
        pendingSeek_.reset();
    }
    switch (phase_) {
    case PlaybackPhase::Prerolling: return preroll(now);
    case PlaybackPhase::Playing: return settings_.paced ? playPaced(now) : playUnpaced(now);
    case PlaybackPhase::Closed:
    case PlaybackPhase::Ended:
    case PlaybackPhase::Failed: break;
    }
    return {std::nullopt, PlaybackTurn::Outcome::None, now + kPollInterval};
}

PlaybackTurn Playback::preroll(Clock::time_point now) {
    PictureQueue& pictures1 = decoders_[0]->pictures();
    PlaybackTurn turn{std::nullopt, PlaybackTurn::Outcome::None, now + kPollInterval};
    if (pictures1.finishedWithoutPicture(serial_)) {
        // Nothing decodes: after an open the file is unplayable, after a seek it has ended.
        const bool opened = pictureNumbers_[0] == 0;
        phase_ = opened ? PlaybackPhase::Failed : PlaybackPhase::Ended;
        turn.outcome = opened ? PlaybackTurn::Outcome::Failed : PlaybackTurn::Outcome::Ended;
        return turn;
    }
    if (!pictures1.nextPosition(serial_)) return turn;
    if (!settings_.paced) {
        phase_ = PlaybackPhase::Playing;
        clock_.setRunning(!paused_, now);
        return playUnpaced(now);
    }
    if (decoders_[1]) {
        PictureQueue& pictures2 = decoders_[1]->pictures();
        const bool channel2Ready = pictures2.nextPosition(serial_) || pictures2.finished(serial_) ||
                                   now - prerollStarted_ >= kChannel2Patience;
        if (!channel2Ready) return turn;
    }
    auto first = pictures1.takeNext(serial_);
    ++pictureNumbers_[0];
    clock_.set(first->position, now);
    clock_.setRunning(!paused_, now);
    phase_ = PlaybackPhase::Playing;
    auto channel2 = channel2UpTo(first->position);
    turn.frame = present(std::move(*first), std::move(channel2));
    return turn;
}

std::optional<DecodedPicture> Playback::channel2UpTo(double channel1Position) {
    if (!decoders_[1]) return std::nullopt;
    std::size_t taken = 0;
    auto picture = decoders_[1]->pictures().takeUpTo(serial_, channel1Position + decoders_[1]->frameSeconds() / 2,
                                                     taken);
    pictureNumbers_[1] += static_cast<std::uint32_t>(taken);
    return picture;
}

PresentedFrame Playback::present(DecodedPicture channel1, std::optional<DecodedPicture> channel2) {
    shownPosition_ = channel1.position;
    shownEnd_ = channel1.position + channel1.duration;
    return PresentedFrame{std::move(channel1), std::move(channel2), pictureNumbers_};
}

PlaybackTurn Playback::endTurn(Clock::time_point now) {
    const bool failed = decoders_[0]->pictures().finishedWithReadError(serial_);
    phase_ = failed ? PlaybackPhase::Failed : PlaybackPhase::Ended;
    clock_.setRunning(false, now);
    return {std::nullopt, failed ? PlaybackTurn::Outcome::Failed : PlaybackTurn::Outcome::Ended,
            now + kPollInterval};
}

PlaybackTurn Playback::playPaced(Clock::time_point now) {
    PictureQueue& pictures1 = decoders_[0]->pictures();
    PlaybackTurn turn{std::nullopt, PlaybackTurn::Outcome::None, now + kPollInterval};
    std::optional<DecodedPicture> due;
    if (stepPending_ && !clock_.running()) {
        due = pictures1.takeNext(serial_);
        if (due) {
            ++pictureNumbers_[0];
            stepPending_ = false;
            clock_.set(due->position, now);
        } else if (pictures1.drained(serial_)) {
            stepPending_ = false;
        }
    } else if (clock_.running()) {
        std::size_t taken = 0;
        due = pictures1.takeUpTo(serial_, clock_.position(now), taken);
        pictureNumbers_[0] += static_cast<std::uint32_t>(taken);
    }
    if (due) {
        auto channel2 = channel2UpTo(due->position);
        turn.frame = present(std::move(*due), std::move(channel2));
    }
    if (clock_.running() && pictures1.drained(serial_) && clock_.position(now) >= shownEnd_) {
        PlaybackTurn end = endTurn(now);
        end.frame = std::move(turn.frame);
        return end;
    }
    const auto next = pictures1.nextPosition(serial_);
    const auto dueAt = next ? clock_.when(*next, now) : pictures1.drained(serial_) ? clock_.when(shownEnd_, now)
                                                                                    : turn.wakeAt;
    turn.wakeAt = std::min(dueAt, turn.wakeAt);
    return turn;
}

PlaybackTurn Playback::playUnpaced(Clock::time_point now) {
    PictureQueue& pictures1 = decoders_[0]->pictures();
    PlaybackTurn turn{std::nullopt, PlaybackTurn::Outcome::None, now + kPollInterval};
    const auto next = pictures1.nextPosition(serial_);
    if (!next) {
        if (pictures1.drained(serial_)) return endTurn(now);
        return turn;
    }
    if (decoders_[1]) {
        // Keep the channels in step: channel 2 must have decoded past channel 1's next picture.
        if (auto taken = channel2UpTo(*next)) heldChannel2_ = std::move(taken);
        PictureQueue& pictures2 = decoders_[1]->pictures();
        if (!pictures2.nextPosition(serial_) && !pictures2.finished(serial_)) return turn;
    }
    auto picture = pictures1.takeNext(serial_);
    ++pictureNumbers_[0];
    turn.frame = present(std::move(*picture), std::exchange(heldChannel2_, std::nullopt));
    turn.wakeAt = now;
    return turn;
}

void Playback::feedAudio(AudioOutput& output, Clock::time_point now) {
    if (audioSerial_ != serial_) {
        output.clear();
        audioSerial_ = serial_;
    }
    output.setSpeed(clock_.speed());
    const bool audible = phase_ == PlaybackPhase::Playing && clock_.running() && decoders_[0] &&
                         decoders_[0]->hasAudio();
    output.setPaused(!audible);
    if (!audible) return;
    AudioChunkQueue& chunks = decoders_[0]->audio();
    double queued = output.queuedSeconds();
    double queuedUpTo = clock_.position(now) + queued * clock_.speed();
    while (queued < kAudioLeadSeconds) {
        const auto chunk = chunks.peek(serial_);
        if (!chunk) break;
        const double end = chunk->position + chunk->seconds();
        if (end <= queuedUpTo - kAudioSlackSeconds) {
            chunks.pop();   // late
            continue;
        }
        if (chunk->position > queuedUpTo + kAudioSlackSeconds) break;   // not due yet
        output.play(*chunk);
        chunks.pop();
        queued += chunk->seconds() / clock_.speed();
        queuedUpTo = end;
    }
}

} // namespace vexplayer

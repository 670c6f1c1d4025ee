#include "player_session.h"

#include <algorithm>
#include <atomic>
#include <chrono>

#include "host_binding.h"
#include "ui_call.h"

namespace vexplayer {

namespace {

using namespace std::chrono_literals;

constexpr auto kPollInterval = 20ms;
// While nothing is due (paused, stopped, ended): the stop flag, which its writer sets without
// waking us, is still looked at this often; commands wake the loop at once.
constexpr auto kRestingPoll = 250ms;

// Where a channel's window goes when the viewer gives no rectangles: its pictures' own size,
// side by side.
VideoRect NativeRect(int channel) {
    return {static_cast<std::uint16_t>(channel * kFrameWidth), 0, kFrameWidth, kFrameHeight};
}

std::uint16_t ClampExtent(std::uint16_t extent, int displayExtent) {
    return displayExtent > 0 ? static_cast<std::uint16_t>(std::min<int>(extent, displayExtent)) : extent;
}

QImage BlackPicture() {
    QImage picture(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

} // namespace

PlayerSession::PlayerSession(StartOptions options, EventReporter reporter, std::shared_ptr<CommandQueue> commands,
                             std::shared_ptr<Wakeup> wakeup)
    : options_(std::move(options)),
      reporter_(reporter),
      commands_(std::move(commands)),
      wakeup_(std::move(wakeup)),
      playback_(PlaybackSettings{options_.pictures, options_.paced, options_.sound}, wakeup_) {
    entryCountRecord_.inner = &entryCount_;
}

PlayerSession::~PlayerSession() = default;

bool PlayerSession::stopRequested() const {
    return std::atomic_ref<const int>(stopFlag_).load(std::memory_order_relaxed) != 0;
}

int PlayerSession::run() {
    Exit exit = Exit::StopFlag;
    try {
        start();
        exit = loop();
    } catch (const std::exception&) {
        // Out of memory or the like: end as if stopped, so the viewer can unload the library.
    }
    shutDown();
    if (exit == Exit::Quit) reporter_.report(kEventIdle);
    reporter_.report(kEventExited);
    return 0;
}

void PlayerSession::start() {
    reporter_.report(kEventStopFlag, &stopFlag_);
    slots_ = AskViewerSlots(reporter_);
    twoChannels_ = slots_.channelCount != 1;
    volume_ = std::clamp(slots_.volume, 0, 100);
    if (slots_.encryptedView) scrambleKey_ = slots_.key;
    if (options_.pictures) {
        surfaces_.emplace(slots_.mainWindow, commands_,
                          [this] { return stopRequested() || commands_->quitPending(); });
        for (int channel = 0; channel < VideoSurfaces::kChannels; ++channel)
            placeWindow(channel, slots_.placement);
    }
    reporter_.reportValue(kEventVideoWindow1, surfaces_ ? surfaces_->handle(0) : platform::kNoWindow);
    reporter_.reportValue(kEventVideoWindow2, surfaces_ ? surfaces_->handle(1) : platform::kNoWindow);
    if (options_.sound) audioOpening_ = std::async(std::launch::async, &AudioOutput::open);
    const bool playable = openFiles(options_.channel1, options_.channel2);
    reporter_.report(kEventReady);
    reporter_.report(kEventPlaybackStarted);
    if (!playable) reporter_.report(kEventReadError);
}

PlayerSession::Exit PlayerSession::loop() {
    while (!stopRequested()) {
        for (const Command& command : commands_->takeAll()) {
            if (std::holds_alternative<Quit>(command)) return Exit::Quit;
            std::visit([this](const auto& c) { handle(c); }, command);
        }
        refreshPlacements();
        takeAudioOutput();
        PlaybackTurn turn = playback_.advance(Clock::now());
        if (turn.frame) reportFrame(*turn.frame);
        if (turn.outcome == PlaybackTurn::Outcome::Ended) reporter_.report(kEventEndOfFile);
        if (turn.outcome == PlaybackTurn::Outcome::Failed) reporter_.report(kEventReadError);
        if (audio_) playback_.feedAudio(*audio_, Clock::now());
        // The audio device opens on its own thread without waking us: until then keep polling.
        const bool resting = playback_.resting() && !audioOpening_.valid();
        wakeup_->waitUntil(resting ? Clock::now() + kRestingPoll
                                   : std::min(turn.wakeAt, Clock::now() + kPollInterval));
    }
    return Exit::StopFlag;
}

void PlayerSession::shutDown() {
    playback_.close();
    audio_.reset();
    if (audioOpening_.valid()) audioOpening_.get();
    surfaces_.reset();
}

bool PlayerSession::openFiles(const std::string& channel1, const std::string& channel2) {
    const bool playable = playback_.open(channel1, twoChannels_ ? channel2 : std::string(), scrambleKey_,
                                         Clock::now());
    clipLength_ = static_cast<float>(playback_.clipSeconds());
    channel2Picture_ = QImage();
    channel2Position_ = 0;
    if (!playable && surfaces_) {
        surfaces_->show(0, QImage());
        surfaces_->show(1, QImage());
    }
    entryCount_.entryCount = playback_.userData().entryCount();
    reporter_.report(kEventEntryCount, &entryCountRecord_);
    return playable;
}

void PlayerSession::reportFrame(const PresentedFrame& frame) {
    const DecodedPicture& picture1 = frame.channel1;
    reporter_.reportValue(kEventUserDataIndex, playback_.userData().indexAt(picture1.position, picture1.last));
    if (frame.channel2) {
        channel2Picture_ = frame.channel2->image;
        channel2Position_ = static_cast<float>(frame.channel2->position);
    }
    std::array<QImage, 2> pictures{picture1.image, QImage()};
    if (twoChannels_ && options_.pictures) {
        if (channel2Picture_.isNull() && blackPicture_.isNull()) blackPicture_ = BlackPicture();
        pictures[1] = channel2Picture_.isNull() ? blackPicture_ : channel2Picture_;
    }
    frameRecord_.channelPictureNumbers[0] = frame.pictureNumbers[0];
    frameRecord_.channelPictureNumbers[1] = frame.pictureNumbers[1];
    frameRecord_.channelPositions[0] = static_cast<float>(picture1.position);
    frameRecord_.channelPositions[1] = channel2Position_;
    frameRecord_.positionSeconds = static_cast<float>(picture1.position);
    frameRecord_.pictureBytes = pictures[0].isNull() ? 0 : kFramePictureBytes;
    frameRecord_.channel1Picture = pictures[0].isNull() ? nullptr : pictures[0].constBits();
    frameRecord_.channel2Picture = pictures[1].isNull() ? nullptr : pictures[1].constBits();
    reporter_.report(kEventFrame, &frameRecord_);
    // The pictures of the previous frame event were valid until now.
    reportedPictures_ = pictures;
    if (surfaces_) {
        surfaces_->show(0, picture1.image);
        if (frame.channel2) surfaces_->show(1, frame.channel2->image);
    }
}

void PlayerSession::placeWindow(int channel, const PlacementSlots& placement) {
    if (!surfaces_) return;
    const bool inPopup = placement.popupShown[channel] && placement.popupWindows[channel] != platform::kNoWindow &&
                         placement.popupRects;
    const auto& rects = inPopup ? placement.popupRects : placement.mainRects;
    SurfacePlacement target;
    target.parent = inPopup ? placement.popupWindows[channel] : slots_.mainWindow;
    target.rect = rects ? rects->channel[channel] : NativeRect(channel);
    target.rect.width = ClampExtent(target.rect.width, slots_.displayWidth);
    target.rect.height = ClampExtent(target.rect.height, slots_.displayHeight);
    target.visible = channel == 0 || twoChannels_;
    surfaces_->place(channel, target);
}

void PlayerSession::refreshPlacements() {
    if (!placementPending_[0] && !placementPending_[1]) return;
    const PlacementSlots placement = AskPlacementSlots(reporter_);
    for (int channel = 0; channel < VideoSurfaces::kChannels; ++channel)
        if (std::exchange(placementPending_[channel], false)) placeWindow(channel, placement);
}

void PlayerSession::takeAudioOutput() {
    if (!audioOpening_.valid() || audioOpening_.wait_for(0s) != std::future_status::ready) return;
    audio_ = audioOpening_.get();
    if (audio_) audio_->setVolume(volume_);
    playback_.setAudioWanted(audio_ != nullptr);
}

void PlayerSession::handle(const LoadFiles& command) {
    const bool playable = openFiles(command.channel1, command.channel2);
    reporter_.report(kEventPlaybackStarted);
    if (!playable) reporter_.report(kEventReadError);
}

void PlayerSession::handle(const TogglePause&) { playback_.togglePause(Clock::now()); }

void PlayerSession::handle(const StopPlayback&) { playback_.stop(Clock::now()); }

void PlayerSession::handle(const Seek& command) {
    const auto now = Clock::now();
    const bool wasEnded = playback_.phase() == PlaybackPhase::Ended;
    switch (command.mode) {
    case SeekMode::Relative: playback_.seekRelative(command.value, now); break;
    case SeekMode::Percent: playback_.seekAbsolute(playback_.clipSeconds() * command.value / 100); break;
    case SeekMode::Absolute: playback_.seekAbsolute(command.value); break;
    }
    // Playing again after the end: the viewer has to leave its Ended state.
    if (wasEnded && playback_.phase() != PlaybackPhase::Ended) reporter_.report(kEventPlaybackStarted);
}

void PlayerSession::handle(const ChangeSpeed& command) {
    const double speed = playback_.clock().speed();
    switch (command.change) {
    case SpeedChange::Add: playback_.setSpeed(speed + command.value, Clock::now()); break;
    case SpeedChange::Multiply: playback_.setSpeed(speed * command.value, Clock::now()); break;
    case SpeedChange::Set: playback_.setSpeed(command.value, Clock::now()); break;
    }
}

void PlayerSession::handle(const ChangeVolume& command) {
    const double wanted = command.absolute ? command.value : volume_ + command.value;
    volume_ = static_cast<int>(std::clamp(wanted, 0.0, 100.0));
    if (audio_) audio_->setVolume(volume_);
}

void PlayerSession::handle(const Quit&) {}   // the loop ends on it before handling

void PlayerSession::handle(const ReportClipLength&) { reporter_.report(kEventClipLength, &clipLength_); }

void PlayerSession::handle(const StepFrame&) { playback_.stepFrame(); }

void PlayerSession::handle(const FollowOwner&) { placementPending_ = {true, true}; }

void PlayerSession::handle(const RefreshPlacement& command) {
    if (command.channel >= 0 && command.channel < VideoSurfaces::kChannels) placementPending_[command.channel] = true;
}

int RunPlayer(int argc, char** argv) {
    HostBinding& binding = HostBinding::instance();
    auto wakeup = std::make_shared<Wakeup>();
    auto commands = std::make_shared<CommandQueue>(wakeup);
    if (!binding.attach(commands)) return -1;
    int result = 0;
    {
        PlayerSession session(ParseStartOptions(argc, argv), binding.reporter(), commands, wakeup);
        result = session.run();
    }
    binding.detach();
    return result;
}

} // namespace vexplayer

#pragma once
// One run of the player, from "Velmo" being called to its return, on the caller's thread: the
// start handshake with the viewer, the loop that applies commands and presents pictures, and the
// orderly exit. Every callback is made from this thread, never with a lock held.
//
// Event order: 21, the slots (10, 17, 29, 25, 28, 26, 27, 30, 31, 32, 33, 34, 36, 37), 3, 4,
// 23, 0, 18, then 24 and 6 for every picture, 20 at the end of the clip. A channel-1 file that
// cannot be played gives 35 right after 18. "tarn_loadfile" gives 23, 18 (35) again. "quit" ends
// with 22 then 16; the stop flag ends with 16 alone. 16 is always the last event.

#include <array>
#include <atomic>
#include <future>
#include <memory>
#include <optional>

#include "audio_output.h"
#include "command.h"
#include "command_queue.h"
#include "event_reporter.h"
#include "playback.h"
#include "start_options.h"
#include "video_surfaces.h"
#include "viewer_slots.h"

namespace vexplayer {

class PlayerSession {
public:
    PlayerSession(StartOptions options, EventReporter reporter, std::shared_ptr<CommandQueue> commands,
                  std::shared_ptr<Wakeup> wakeup);
    ~PlayerSession();

    int run();

private:
    using Clock = Playback::Clock;
    enum class Exit { Quit, StopFlag };

    void start();
    Exit loop();
    void shutDown();
    bool stopRequested() const;

    bool openFiles(const std::string& channel1, const std::string& channel2);
    void reportFrame(const PresentedFrame& frame);
    void placeWindow(int channel, const PlacementSlots& placement);
    void refreshPlacements();
    void takeAudioOutput();

    void handle(const LoadFiles& command);
    void handle(const TogglePause& command);
    void handle(const StopPlayback& command);
    void handle(const Seek& command);
    void handle(const ChangeSpeed& command);
    void handle(const ChangeVolume& command);
    void handle(const Quit& command);
    void handle(const ReportClipLength& command);
    void handle(const StepFrame& command);
    void handle(const FollowOwner& command);
    void handle(const RefreshPlacement& command);

    const StartOptions options_;
    const EventReporter reporter_;
    std::shared_ptr<CommandQueue> commands_;
    std::shared_ptr<Wakeup> wakeup_;
    alignas(std::atomic_ref<int>::required_alignment) int stopFlag_ = 0;   // the viewer writes it

    ViewerSlots slots_;
    bool twoChannels_ = true;
    std::optional<std::uint32_t> scrambleKey_;
    int volume_ = 100;
    std::optional<VideoSurfaces> surfaces_;
    std::array<bool, 2> placementPending_{};
    std::future<std::unique_ptr<AudioOutput>> audioOpening_;
    std::unique_ptr<AudioOutput> audio_;
    Playback playback_;

    // What the callbacks point at; the viewer reads them during the callback, the pictures
    // until the next frame event.
    float clipLength_ = 0;
    EntryCountInner entryCount_{};
    EntryCountRecord entryCountRecord_{};
    FrameRecord frameRecord_{};
    std::array<QImage, 2> reportedPictures_;
    QImage channel2Picture_;
    float channel2Position_ = 0;
    QImage blackPicture_;
};

// The body of "Velmo": one player per process at a time (-1 when one is already running).
int RunPlayer(int argc, char** argv);

} // namespace vexplayer

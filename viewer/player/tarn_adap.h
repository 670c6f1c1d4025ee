#pragma once
// TarnAdap: the one object through which the viewer talks to the player library. The main window
// creates it with its own window handle, calls the player operations on it (each handed to the
// current player state) and reads the playback position, the clip length and the frame copies.
//
// Threads: player operations, PlayFiles, ReadUserData and CloseSequence run on the user-interface
// thread. The library calls OnPlayerEvent from its own threads; the adapter answers those events
// with atomics, the frame hand-over and the atomic rectangle words (one short lock guards the
// library's stop flag) and reaches windows only with SendNotifyMessage. A worker
// thread completes the unloading of the library after the library reports its exit. The adapter
// must be deleted on the user-interface thread and never from inside one of its callbacks.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win_types.h"
#include "player/auto_reset_event.h"
#include "player/frame_hand_over.h"
#include "player/live_adapters.h"
#include "player/player_library.h"
#include "player/player_thread.h"
#include "player/tarn_q.h"
#include "player/tarn_state.h"
#include "player/tarn_udat.h"
#include "player/user_data_box.h"
#include "player/video_rect_sets.h"

namespace player {

// ReadUserData's result when the box was found but is malformed.
inline constexpr int kUserDataParseFailed = 17;

class TarnAdap {
public:
    // How long the close waits for a library to leave "Velmo" before leaving its thread behind,
    // and how long an unload waits for it after the library reported its exit.
    static constexpr std::chrono::milliseconds kLibraryExitWait{3000};
    static constexpr std::chrono::milliseconds kUnloadWait{2000};

    explicit TarnAdap(platform::HWND mainWindow);
    virtual ~TarnAdap();
    TarnAdap(const TarnAdap&) = delete;
    TarnAdap& operator=(const TarnAdap&) = delete;

    // ---- Player operations (user-interface thread), handed to the current state ----------------
    // libraryName is a Windows name: "vexplayer.dll" for the player library.
    int LoadPlayer(const char* libraryName);
    int ClosePlayer();
    int Play();
    int Stop();
    int Pause();
    int FrameStep();
    int Seek(float seconds, bool relative);
    int SetSpeed(float value, bool incremental);
    int MultiplySpeed(float factor, bool multiply);
    int SetVolume(float value, bool relative);
    int SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                     std::uint16_t height);
    int SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                          std::uint16_t height);
    int RefreshVideo(std::int32_t channel);
    int TraceState();

    // Opens a recording: enters Opening and hands the paths (copied) to the state it came from.
    // In one-channel mode channel2Path is "". An unload that a close queued is waited for first
    // (up to kLibraryExitWait), so that the files go to a library loaded anew.
    int PlayFiles(const std::string& channel1Path, const std::string& channel2Path);
    // WM_MOVE and then WM_PLAYERWND_OWNERMOVED to the channel-1 video window; 1 when it is unknown.
    int NotifyMoved();
    // The main window's close: Idle, then the worker and the player thread are ended. A library
    // that does not leave "Velmo" within kLibraryExitWait has its thread left behind.
    void CloseSequence();

    // ---- States ---------------------------------------------------------------------------------
    // Any thread. Nothing happens when the state is already current; otherwise the current state
    // becomes the previous one, the new one records where it was entered from and the worker is
    // woken.
    void SetState(StateId id);
    StateId CurrentStateId() const;
    std::optional<StateId> PreviousStateId() const;
    TarnState& State(StateId id) const { return *states_[StateIndex(id)]; }

    // ---- Adapter operations -----------------------------------------------------------------------
    void ResetPlayer();
    // Total width of all displays and the height of the last one.
    void MeasureDisplays();
    // Reads and indexes the "udat" box of the kept channel-1 file: 0, the box walk's code, or
    // kUserDataParseFailed. A file of the wrong kind for the view mode shows its message and ends
    // the viewer with code 0.
    int ReadUserData();
    UserDataBoxRead FindUserDataBox();

    // The library's callback; instance is the token given to "setInst@4".
    static int OnPlayerEvent(void* instance, void* param, int code);

    // ---- Read and set by the main window (any thread) ---------------------------------------------
    std::atomic<std::int32_t> positionSeconds{0};   // whole seconds, truncated toward zero
    std::atomic<std::int32_t> lengthSeconds{0};
    std::atomic<std::int32_t> channelMode{2};       // 1 or 2
    std::atomic<std::int32_t> encryptedView{0};     // 0 general view mode, 1 encryption view mode
    std::atomic<std::uint32_t> encryptionKey{0};    // nothing in the viewer sets it
    std::atomic<platform::HWND> channel1PopupWindow{platform::kNoWindow};
    std::atomic<platform::HWND> channel2PopupWindow{platform::kNoWindow};
    std::atomic<std::int32_t> channel1PopupShown{0};
    std::atomic<std::int32_t> channel2PopupShown{0};

    // The GPS and G-sensor copies of one step and the no-user-data flag, never torn.
    UserDataSnapshot SnapshotUserData() const { return frames_.SnapshotUserData(); }
    bool NoUserData() const { return frames_.NoUserData(); }
    // User-interface thread: the adapter's copy of the newest picture of channel 1 or 2 (channel 2
    // only from frames in channel mode 2), empty before the first; valid until the next call.
    std::span<const std::uint8_t> LatestPicture(int channel) { return frames_.LatestPicture(channel); }
    float Position() const { return position_.load(); }
    float ClipLength() const { return clipLength_.load(); }

    // ---- Inspection -------------------------------------------------------------------------------
    platform::HWND MainWindow() const { return mainWindow_; }
    bool LibraryLoaded() const { return library_.Loaded(); }
    bool PlayerThreadExists() const { return playerThread_.Exists(); }
    bool WorkerExists() const { return worker_.joinable(); }   // user-interface thread
    bool Closing() const { return closing_.load(); }
    const AutoResetEvent& WakeEvent() const { return wake_; }
    std::int32_t Volume() const { return volume_.load(); }
    std::uint32_t EntryCount() const { return entryCount_.load(); }
    std::uint32_t CurrentIndex() const { return currentIndex_.load(); }
    std::int32_t DisplayWidth() const { return displayWidth_.load(); }
    std::int32_t DisplayHeight() const { return displayHeight_.load(); }
    platform::HWND VideoWindow1() const { return videoWindow1_.load(); }
    platform::HWND VideoWindow2() const { return videoWindow2_.load(); }
    vexplayer::VideoRectSet MainVideoRects() const { return vexplayer::LoadVideoRectSet(rects_.main); }
    vexplayer::VideoRectSet PopupVideoRects() const { return vexplayer::LoadVideoRectSet(rects_.popup); }
    std::optional<std::string> Channel1Path() const;
    std::optional<std::string> Channel2Path() const;
    std::size_t UserDataBoxLength() const { return CurrentUserData()->box.size(); }

private:
    friend class Tarnstat0;
    friend class Tarnstat1;
    friend class Tarnstat2;
    friend class Tarnstat3;
    friend class Tarnstat4;
    friend struct PlayerEvents;

    // The user data of the current file, published whole to the library's thread: the box copy
    // and the parser indexing it. Only the entry count changes after publication.
    struct UserData {
        std::vector<std::uint8_t> box;
        TarnUDAT parser;
    };
    std::shared_ptr<UserData> CurrentUserData() const;
    void PublishUserData(std::shared_ptr<UserData> userData);
    void PublishNoUserData();

    TarnState& CurrentState() const { return State(CurrentStateId()); }
    // Previous and current state from one reading.
    std::pair<std::optional<StateId>, StateId> StatePair() const;
    void HandleEvent(void* param, int code);

    // Used by the states.
    void KeepPaths(const std::string& channel1Path, const std::string& channel2Path);
    // The ".mjpg" rule, else ReadUserData; 0 when nothing failed.
    int OpenUserData(const std::string& channel1Path);
    // Playing's and Ended's "open files": the load command, or kCommandRefused.
    int SendLoadFile(const std::string& channel1Path, const std::string& channel2Path, bool traceCommand);
    // Unload of Idle, Ready and Exited: 0 freed, 1 nothing loaded or not freed.
    int UnloadLibrary();
    bool StartWorker();
    // The library's stop flag (event 21) lives in the player that reported it: it is kept until
    // that player exits (event 16) and written only while kept, under the same lock, so a write
    // never reaches a player that has gone. False when no flag is known.
    void KeepStopFlag(int* flag);
    void ForgetStopFlag();
    bool RaiseStopFlag();
    void CommandWorkerProc();
    void EndThreads();

    const platform::HWND mainWindow_;
    std::string libraryName_;   // the last one loaded; user-interface thread
    const LiveAdapters::Token token_;
    VideoRectSets& rects_;

    std::array<std::unique_ptr<TarnState>, kStateCount> states_;
    // Current state index in the low byte, previous index + 1 (0: none) in the high byte, so that
    // both change together.
    std::atomic<std::uint16_t> stateWord_{0};

    TarnQ queue_;
    AutoResetEvent wake_;
    PlayerLibrary library_;
    PlayerThread playerThread_;
    std::thread worker_;                       // user-interface thread only
    std::atomic<std::int32_t> workerStop_{0};
    std::mutex stopFlagMutex_;            // library's threads, user-interface thread and worker
    int* libraryStopFlag_ = nullptr;      // event 21, library memory
    std::atomic<bool> closing_{false};

    mutable std::mutex pathsMutex_;   // user-interface thread and worker
    std::optional<std::string> channel1Path_;
    std::optional<std::string> channel2Path_;

    // A plain lock, held only to copy the pointer: libstdc++'s atomic shared_ptr locks by a bit
    // of the pointer, which ThreadSanitizer cannot see and reports as a race.
    mutable std::mutex userDataMutex_;
    std::shared_ptr<UserData> userData_;
    FrameHandOver frames_;
    std::atomic<std::uint32_t> currentIndex_{0};
    std::atomic<std::uint32_t> entryCount_{TarnUDAT::kUnknownEntryCount};
    std::atomic<float> position_{0.0f};
    std::atomic<float> clipLength_{0.0f};
    std::atomic<std::int32_t> volume_{100};
    std::atomic<std::int32_t> displayWidth_{0};
    std::atomic<std::int32_t> displayHeight_{0};
    std::atomic<platform::HWND> videoWindow1_{platform::kNoWindow};
    std::atomic<platform::HWND> videoWindow2_{platform::kNoWindow};
};

} // namespace player

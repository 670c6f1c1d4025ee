// The worker, the unload it completes, and the close sequence that ends both threads.
#include <atomic>
#include <system_error>

#include "platform/trace.h"
#include "player/tarn_adap.h"

namespace player {

// The library is freed only once "Velmo" has returned: its code must not be unmapped under the
// player thread.
int TarnAdap::UnloadLibrary() {
    if (!library_.Loaded()) return 1;
    if (!playerThread_.WaitFinished(kUnloadWait)) {
        platform::Trace("[unload] the player thread still runs: the library stays loaded\n");
        return 1;
    }
    if (!library_.Free()) return 1;
    ResetPlayer();
    return 0;
}

void TarnAdap::KeepStopFlag(int* flag) {
    std::lock_guard lock(stopFlagMutex_);
    libraryStopFlag_ = flag;
}

void TarnAdap::ForgetStopFlag() { KeepStopFlag(nullptr); }

bool TarnAdap::RaiseStopFlag() {
    std::lock_guard lock(stopFlagMutex_);
    if (!libraryStopFlag_) return false;
    std::atomic_ref<int>(*libraryStopFlag_).store(1);
    return true;
}

bool TarnAdap::StartWorker() {
    try {
        worker_ = std::thread(&TarnAdap::CommandWorkerProc, this);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

// Waits for a transition that a state queued; once the library has made it, completes the work
// that waited for it. A record whose transition has not happened blocks the ones behind it. The
// record leaves the queue only when its work is done, so that PlayFiles, which waits for an empty
// queue, never meets an unload half done.
void TarnAdap::CommandWorkerProc() {
    while (workerStop_.load() == 0) {
        wake_.Wait();
        TransitionRecord record;
        if (queue_.Peek(record) == 0) {
            const auto [previous, current] = StatePair();
            const bool happened = previous && record.fromState == static_cast<std::int32_t>(*previous) &&
                                  record.toState == static_cast<std::int32_t>(current);
            if (happened) {
                if (record.code == vexplayer::kEventExited && CurrentState().ClosePlayer() == 0 && !library_.Loaded())
                    SetState(StateId::Idle);
                queue_.Pop();
            }
        }
        wake_.Reset();
    }
}

void TarnAdap::CloseSequence() {
    SetState(StateId::Idle);
    EndThreads();
}

// The worker's waits are all bounded, so it is joined. The player is asked to quit (stop flag and
// "quit"); a library that does not leave "Velmo" in time keeps its thread, which owns everything
// it touches, and its later callbacks find no live adapter.
void TarnAdap::EndThreads() {
    workerStop_ = 1;
    wake_.Set();
    if (worker_.joinable()) worker_.join();
    if (playerThread_.Exists()) {
        RaiseStopFlag();
        library_.Send(vexplayer::kCmdQuit);
        playerThread_.WaitFinished(kLibraryExitWait);
    }
    playerThread_.JoinOrDetach();
}

} // namespace player

#pragma once
// The player thread: runs the library's "Velmo" with the two paths on its command line until
// the player exits. The thread owns copies of everything it uses and never touches the adapter,
// so a thread whose library never returns can be left behind (detached) when the adapter goes.
// The owner side is used by the user-interface thread and the worker.

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "contract/vexplayer_contract.h"

namespace player {

class PlayerThread {
public:
    PlayerThread() = default;
    ~PlayerThread();
    PlayerThread(const PlayerThread&) = delete;
    PlayerThread& operator=(const PlayerThread&) = delete;

    // Starts "Velmo" on a new thread; false when the thread could not be created.
    bool Start(vexplayer::VelmoFn velmo, const std::string& channel1Path, const std::string& channel2Path);
    // True from Start until "Velmo" has returned, also while a detached thread still runs.
    bool Exists() const;
    // Waits up to limit (on the platform clock) for "Velmo" to return; true when no player runs.
    // Returns false at once once the thread has been detached.
    bool WaitFinished(std::chrono::milliseconds limit) const;
    // Joins a finished thread and forgets it, or detaches one that still runs.
    void JoinOrDetach();

private:
    struct Run;
    static void Proc(std::shared_ptr<Run> run, vexplayer::VelmoFn velmo);
    std::shared_ptr<Run> CurrentRun() const;

    mutable std::mutex mutex_;   // guards thread_ and run_
    std::thread thread_;
    std::shared_ptr<Run> run_;
};

} // namespace player

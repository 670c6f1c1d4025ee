#include "player/player_thread.h"

#include <condition_variable>
#include <system_error>
#include <vector>

#include "platform/trace.h"
#include "player/platform_wait.h"

namespace player {

struct PlayerThread::Run {
    std::mutex mutex;
    std::condition_variable changed;
    bool finished = false;
    bool detached = false;
    // "Velmo" gets writable argument strings.
    std::vector<std::string> arguments;
};

PlayerThread::~PlayerThread() { JoinOrDetach(); }

bool PlayerThread::Start(vexplayer::VelmoFn velmo, const std::string& channel1Path,
                         const std::string& channel2Path) {
    std::lock_guard lock(mutex_);
    if (thread_.joinable()) thread_.join();   // the caller made sure that the last one finished
    auto run = std::make_shared<Run>();
    run->arguments = {vexplayer::kVelmoArg0, vexplayer::kVelmoArg1, vexplayer::kVelmoArg2,
                      vexplayer::kVelmoArg3, vexplayer::kVelmoArg4, channel1Path, channel2Path};
    try {
        thread_ = std::thread(Proc, run, velmo);
    } catch (const std::system_error&) {
        run_.reset();
        return false;
    }
    run_ = std::move(run);
    return true;
}

void PlayerThread::Proc(std::shared_ptr<Run> run, vexplayer::VelmoFn velmo) {
    std::vector<std::string>& arguments = run->arguments;
    platform::Trace(">>> %s / %s\n", arguments[vexplayer::kVelmoArgChannel1].c_str(),
                    arguments[vexplayer::kVelmoArgChannel2].c_str());
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    velmo(vexplayer::kVelmoArgc, argv.data());
    {
        std::lock_guard lock(run->mutex);
        run->finished = true;
    }
    run->changed.notify_all();
}

std::shared_ptr<PlayerThread::Run> PlayerThread::CurrentRun() const {
    std::lock_guard lock(mutex_);
    return run_;
}

bool PlayerThread::Exists() const {
    const std::shared_ptr<Run> run = CurrentRun();
    if (!run) return false;
    std::lock_guard lock(run->mutex);
    return !run->finished;
}

bool PlayerThread::WaitFinished(std::chrono::milliseconds limit) const {
    const std::shared_ptr<Run> run = CurrentRun();
    if (!run) return true;
    std::unique_lock lock(run->mutex);
    const auto over = [&] { return run->finished || run->detached; };
    WaitOnPlatformClock(limit, over, [&] { run->changed.wait_for(lock, std::chrono::milliseconds(1), over); });
    return run->finished;
}

void PlayerThread::JoinOrDetach() {
    std::lock_guard lock(mutex_);
    if (!run_ || !thread_.joinable()) return;
    bool finished;
    {
        std::lock_guard runLock(run_->mutex);
        finished = run_->finished;
        run_->detached = !finished;
    }
    if (finished) {
        thread_.join();
        run_.reset();
        return;
    }
    run_->changed.notify_all();
    platform::Trace("player thread left running: the library did not exit\n");
    thread_.detach();
}

} // namespace player

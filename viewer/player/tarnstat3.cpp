// Ended.
#include <thread>

#include "platform/trace.h"
#include "player/platform_wait.h"
#include "player/tarn_adap.h"
#include "player/tarn_states.h"

namespace player {

// Asks the player to quit and waits until the library reports its exit, then unloads as Exited
// does and returns to Idle. A library that does not report it within kLibraryExitWait stays
// loaded (result 1) and the unload is queued for the worker, which completes it once the exit
// comes, as after Playing's close.
int Tarnstat3::ClosePlayer() {
    if (!adapter_.library_.Loaded()) return 1;
    adapter_.library_.Send(vexplayer::kCmdQuit);
    const bool exited = WaitOnPlatformClock(
        TarnAdap::kLibraryExitWait, [&] { return adapter_.CurrentStateId() == StateId::Exited; },
        [] { std::this_thread::yield(); });
    if (!exited) {
        platform::Trace("[stat3::ClosePlayer] the library did not report its exit: the unload waits for it\n");
        const auto ended = static_cast<std::int32_t>(StateId::Ended);
        adapter_.queue_.Push({ended, static_cast<std::int32_t>(StateId::Exited), vexplayer::kEventExited, ended});
        return 1;
    }
    const int result = adapter_.State(StateId::Exited).ClosePlayer();
    if (result == 0 && !adapter_.library_.Loaded()) adapter_.SetState(StateId::Idle);
    return result;
}

int Tarnstat3::SetFileNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    SetNextNPlay(channel1Path, channel2Path);
    return 0;
}

int Tarnstat3::SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    return adapter_.SendLoadFile(channel1Path, channel2Path, false);
}

// Opens the kept files again.
int Tarnstat3::Play() {
    const std::optional<std::string> channel1 = adapter_.Channel1Path();
    const std::optional<std::string> channel2 = adapter_.Channel2Path();
    if (!channel1 || !channel2) return 1;
    SetNextNPlay(*channel1, *channel2);
    return 0;
}

int Tarnstat3::SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                            std::uint16_t height) {
    return adapter_.State(StateId::Idle).SetVideoRect(channelIndex, x, y, width, height);
}

int Tarnstat3::SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y,
                                 std::uint16_t width, std::uint16_t height) {
    return adapter_.State(StateId::Idle).SetPopupVideoRect(channelIndex, x, y, width, height);
}

int Tarnstat3::RefreshVideo(std::int32_t channel) {
    return adapter_.State(StateId::Playing).RefreshVideo(channel);
}

int Tarnstat3::GetStateId() const { return static_cast<int>(StateId::Ended); }
int Tarnstat3::TraceState() { return SettleAndTrace(StateId::Ended); }

} // namespace player

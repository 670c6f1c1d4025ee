// Ready: the player's start.
#include "platform/clock.h"
#include "platform/trace.h"
#include "player/tarn_adap.h"
#include "player/tarn_states.h"

namespace player {

int Tarnstat4::ClosePlayer() { return adapter_.UnloadLibrary(); }

int Tarnstat4::SetFileNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    adapter_.KeepPaths(channel1Path, channel2Path);
    platform::Trace("[ stat4::SetFileNPlay() #1 ] >>>>> ===== %s / %s ===== \n", channel1Path.c_str(),
                    channel2Path.c_str());
    if (adapter_.OpenUserData(channel1Path) != 0) platform::Trace("\n!!! Error while parsing user data\n");
    platform::Trace("pInst->hMplayer == %d\n",
                    static_cast<int>(reinterpret_cast<std::uintptr_t>(adapter_.library_.Module())));
    const vexplayer::VelmoFn velmo = adapter_.library_.Velmo();
    if (!velmo) return kNotStarted;
    platform::Sleep(10);
    if (adapter_.playerThread_.Exists()) return kAlreadyRunning;
    platform::Sleep(10);
    if (!adapter_.playerThread_.Start(velmo, channel1Path, channel2Path)) return kNotStarted;
    platform::Trace("### Thread has begun\n");
    if (!adapter_.worker_.joinable()) {
        platform::Trace("[ stat4::SetFileNPlay() #2 ] >>>>> ===== %s / %s ===== \n", channel1Path.c_str(),
                        channel2Path.c_str());
        adapter_.StartWorker();
    }
    return adapter_.worker_.joinable() ? kStarted : kNotStarted;
}

int Tarnstat4::SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    return SetFileNPlay(channel1Path, channel2Path);
}

int Tarnstat4::Play() { return 1; }

int Tarnstat4::SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                            std::uint16_t height) {
    return adapter_.State(StateId::Idle).SetVideoRect(channelIndex, x, y, width, height);
}

int Tarnstat4::SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y,
                                 std::uint16_t width, std::uint16_t height) {
    return adapter_.State(StateId::Idle).SetPopupVideoRect(channelIndex, x, y, width, height);
}

int Tarnstat4::GetStateId() const { return static_cast<int>(StateId::Ready); }
int Tarnstat4::TraceState() { return SettleAndTrace(StateId::Ready); }

} // namespace player

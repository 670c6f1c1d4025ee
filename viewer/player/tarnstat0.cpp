// Idle.
#include "player/tarn_adap.h"
#include "player/tarn_states.h"

namespace player {

int Tarnstat0::LoadPlayer(const char* libraryName) {
    return adapter_.library_.Load(libraryName, reinterpret_cast<void*>(adapter_.token_), &TarnAdap::OnPlayerEvent);
}

int Tarnstat0::ClosePlayer() { return adapter_.UnloadLibrary(); }

int Tarnstat0::SetFileNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    return adapter_.State(StateId::Ready).SetFileNPlay(channel1Path, channel2Path);
}

// The result of the start is not passed on.
int Tarnstat0::SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    SetFileNPlay(channel1Path, channel2Path);
    return 0;
}

namespace {
vexplayer::VideoRect& RectOf(vexplayer::VideoRectSet& set, std::uint8_t channelIndex) {
    return set.channel[channelIndex == 0 ? 0 : 1];
}
} // namespace

int Tarnstat0::SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                            std::uint16_t height) {
    RectOf(adapter_.rects_.main, channelIndex) = {x, y, width, height};
    return 0;
}

int Tarnstat0::SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y,
                                 std::uint16_t width, std::uint16_t height) {
    RectOf(adapter_.rects_.popup, channelIndex) = {x, y, width, height};
    return 0;
}

int Tarnstat0::GetStateId() const { return static_cast<int>(StateId::Idle); }
int Tarnstat0::TraceState() { return SettleAndTrace(StateId::Idle); }

} // namespace player

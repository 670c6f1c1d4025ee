// Idle.
#include "platform/trace.h"
#include "player/tarn_adap.h"
#include "player/tarn_states.h"

namespace player {

int Tarnstat0::LoadPlayer(const char* libraryName) {
    const int result =
        adapter_.library_.Load(libraryName, reinterpret_cast<void*>(adapter_.token_), &TarnAdap::OnPlayerEvent);
    if (result == PlayerLibrary::kLoaded) adapter_.libraryName_ = libraryName;
    return result;
}

int Tarnstat0::ClosePlayer() { return adapter_.UnloadLibrary(); }

// A library that a close unloaded is loaded again, so that every close is followed by playback.
int Tarnstat0::SetFileNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    if (!adapter_.library_.Loaded() && !adapter_.libraryName_.empty() &&
        LoadPlayer(adapter_.libraryName_.c_str()) != PlayerLibrary::kLoaded)
        platform::Trace("[stat0::SetFileNPlay] the player library could not be loaded again\n");
    return adapter_.State(StateId::Ready).SetFileNPlay(channel1Path, channel2Path);
}

// The result of the start is not passed on.
int Tarnstat0::SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    SetFileNPlay(channel1Path, channel2Path);
    return 0;
}

namespace {
// Channel index 0 is the first rectangle of a set, any other index the second.
void Store(vexplayer::VideoRectSet& set, std::uint8_t channelIndex, vexplayer::VideoRect rect) {
    vexplayer::StoreVideoRect(set, channelIndex == 0 ? 0 : 1, rect);
}
} // namespace

int Tarnstat0::SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                            std::uint16_t height) {
    Store(adapter_.rects_.main, channelIndex, {x, y, width, height});
    return 0;
}

int Tarnstat0::SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y,
                                 std::uint16_t width, std::uint16_t height) {
    Store(adapter_.rects_.popup, channelIndex, {x, y, width, height});
    return 0;
}

int Tarnstat0::GetStateId() const { return static_cast<int>(StateId::Idle); }
int Tarnstat0::TraceState() { return SettleAndTrace(StateId::Idle); }

} // namespace player

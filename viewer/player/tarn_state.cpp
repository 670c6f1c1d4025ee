#include "player/tarn_state.h"

#include "platform/clock.h"
#include "platform/trace.h"

namespace player {

int TarnState::LoadPlayer(const char*) { return kUndefined; }
int TarnState::ClosePlayer() { return kUndefined; }
int TarnState::SetFileNPlay(const std::string&, const std::string&) { return kUndefined; }
int TarnState::SetNextNPlay(const std::string&, const std::string&) { return kUndefined; }
int TarnState::Play() { return kUndefined; }
int TarnState::Stop() { return kUndefined; }
int TarnState::Pause() { return kUndefined; }
int TarnState::FrameStep() { return kUndefined; }
int TarnState::Seek(float, bool) { return kUndefined; }
int TarnState::SetSpeed(float, bool) { return kUndefined; }
int TarnState::MultiplySpeed(float, bool) { return kUndefined; }
int TarnState::SetVolume(float, bool) { return kUndefined; }
int TarnState::SetVideoRect(std::uint8_t, std::uint16_t, std::uint16_t, std::uint16_t, std::uint16_t) {
    return kUndefined;
}
int TarnState::SetPopupVideoRect(std::uint8_t, std::uint16_t, std::uint16_t, std::uint16_t, std::uint16_t) {
    return kUndefined;
}

int TarnState::RefreshVideo(std::int32_t) {
    platform::Trace("####method undefined\n");
    return kUndefined;
}

int TarnState::GetStateId() const { return kUndefined; }

int TarnState::SettleAndTrace(StateId id) {
    platform::Sleep(10);
    if (const char* line = kStateRows[StateIndex(id)].traceLine) platform::Trace("%s", line);
    return 0;
}

} // namespace player

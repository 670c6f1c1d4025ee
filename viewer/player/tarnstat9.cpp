// Opening: hands operations 1 to 15 to the state it was entered from.
#include "player/tarn_states.h"

namespace player {

template <typename Operation> int Tarnstat9::Forward(Operation operation) {
    TarnState* from = EnteredFrom();
    return from ? operation(*from) : kUndefined;
}

int Tarnstat9::LoadPlayer(const char* libraryName) {
    return Forward([&](TarnState& s) { return s.LoadPlayer(libraryName); });
}
int Tarnstat9::ClosePlayer() {
    return Forward([](TarnState& s) { return s.ClosePlayer(); });
}
int Tarnstat9::SetFileNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    return Forward([&](TarnState& s) { return s.SetFileNPlay(channel1Path, channel2Path); });
}
int Tarnstat9::SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    return Forward([&](TarnState& s) { return s.SetNextNPlay(channel1Path, channel2Path); });
}
int Tarnstat9::Play() {
    return Forward([](TarnState& s) { return s.Play(); });
}
int Tarnstat9::Stop() {
    return Forward([](TarnState& s) { return s.Stop(); });
}
int Tarnstat9::Pause() {
    return Forward([](TarnState& s) { return s.Pause(); });
}
int Tarnstat9::FrameStep() {
    return Forward([](TarnState& s) { return s.FrameStep(); });
}
int Tarnstat9::Seek(float seconds, bool relative) {
    return Forward([&](TarnState& s) { return s.Seek(seconds, relative); });
}
int Tarnstat9::SetSpeed(float value, bool incremental) {
    return Forward([&](TarnState& s) { return s.SetSpeed(value, incremental); });
}
int Tarnstat9::MultiplySpeed(float factor, bool multiply) {
    return Forward([&](TarnState& s) { return s.MultiplySpeed(factor, multiply); });
}
int Tarnstat9::SetVolume(float value, bool relative) {
    return Forward([&](TarnState& s) { return s.SetVolume(value, relative); });
}
int Tarnstat9::SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                            std::uint16_t height) {
    return Forward([&](TarnState& s) { return s.SetVideoRect(channelIndex, x, y, width, height); });
}
int Tarnstat9::SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y,
                                 std::uint16_t width, std::uint16_t height) {
    return Forward([&](TarnState& s) { return s.SetPopupVideoRect(channelIndex, x, y, width, height); });
}
int Tarnstat9::RefreshVideo(std::int32_t channel) {
    return Forward([&](TarnState& s) { return s.RefreshVideo(channel); });
}

int Tarnstat9::GetStateId() const { return static_cast<int>(StateId::Opening); }
int Tarnstat9::TraceState() { return SettleAndTrace(StateId::Opening); }

} // namespace player

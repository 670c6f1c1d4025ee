// Playing.
#include <atomic>

#include "platform/messages.h"
#include "platform/trace.h"
#include "platform/window.h"
#include "player/player_command.h"
#include "player/tarn_adap.h"
#include "player/tarn_states.h"

namespace player {

// Asks the player to stop and queues the unload that the worker completes once the library
// reports its exit. Before event 21, and after the player that gave it exited, there is no stop
// flag to set.
int Tarnstat1::ClosePlayer() {
    if (!adapter_.library_.Loaded()) return 1;
    if (!adapter_.RaiseStopFlag())
        platform::Trace("[stat1::ClosePlayer] the library has not given its stop flag\n");
    const auto playing = static_cast<std::int32_t>(StateId::Playing);
    adapter_.queue_.Push({playing, static_cast<std::int32_t>(StateId::Exited), vexplayer::kEventExited, playing});
    return 1;
}

int Tarnstat1::SetNextNPlay(const std::string& channel1Path, const std::string& channel2Path) {
    return adapter_.SendLoadFile(channel1Path, channel2Path, true);
}

int Tarnstat1::Play() {
    adapter_.library_.Send(vexplayer::kCmdPause);
    return 0;
}

int Tarnstat1::Stop() {
    adapter_.library_.Send(vexplayer::kCmdStop);
    return 0;
}

int Tarnstat1::Pause() {
    adapter_.library_.Send(vexplayer::kCmdPause);
    return 0;
}

int Tarnstat1::FrameStep() {
    const platform::HWND window = adapter_.videoWindow1_.load();
    if (window == platform::kNoWindow) return 1;
    platform::SendMessage(window, vexplayer::WM_PLAYERWND_FRAMESTEP, 0, 0);
    return 0;
}

int Tarnstat1::SendFormatted(const std::optional<std::string>& command) {
    if (!command) {
        platform::Trace("[stat1] command refused: it does not fit the command buffer\n");
        return kCommandRefused;
    }
    adapter_.library_.Send(command->c_str());
    return 0;
}

int Tarnstat1::Seek(float seconds, bool relative) {
    return SendFormatted(FormatCommand(relative ? vexplayer::kCmdSeekRelative : vexplayer::kCmdSeekAbsolute,
                                       static_cast<double>(seconds)));
}

int Tarnstat1::SetSpeed(float value, bool incremental) {
    return SendFormatted(FormatCommand(incremental ? vexplayer::kCmdSpeedIncr : vexplayer::kCmdSpeedSet,
                                       static_cast<double>(value)));
}

int Tarnstat1::MultiplySpeed(float factor, bool multiply) {
    return SendFormatted(FormatCommand(multiply ? vexplayer::kCmdSpeedMult : vexplayer::kCmdSpeedSet,
                                       static_cast<double>(factor)));
}

int Tarnstat1::SetVolume(float value, bool relative) {
    const double base = relative ? adapter_.volume_.load() : 0;
    const std::int32_t volume = TruncateToInt32(base + static_cast<double>(value));
    adapter_.volume_ = volume;
    return SendFormatted(FormatCommand(vexplayer::kCmdVolume, volume));
}

int Tarnstat1::MoveVideoWindow(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y,
                               std::uint16_t width, std::uint16_t height) {
    const platform::HWND channel1 = adapter_.videoWindow1_.load();
    if (channel1 == platform::kNoWindow) return 1;
    const platform::HWND target = channelIndex == 1 ? adapter_.videoWindow2_.load() : channel1;
    platform::Window* window = platform::FromHandle(target);
    if (!window) return 2;
    window->MoveWindow(x, y, width, height);
    window->raise();
    window->show();
    return 0;
}

int Tarnstat1::SetVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y, std::uint16_t width,
                            std::uint16_t height) {
    if (const int moved = MoveVideoWindow(channelIndex, x, y, width, height); moved != 0) return moved;
    return adapter_.State(StateId::Idle).SetVideoRect(channelIndex, x, y, width, height);
}

int Tarnstat1::SetPopupVideoRect(std::uint8_t channelIndex, std::uint16_t x, std::uint16_t y,
                                 std::uint16_t width, std::uint16_t height) {
    if (const int moved = MoveVideoWindow(channelIndex, x, y, width, height); moved != 0) return moved;
    return adapter_.State(StateId::Idle).SetPopupVideoRect(channelIndex, x, y, width, height);
}

int Tarnstat1::RefreshVideo(std::int32_t channel) {
    platform::HWND window = platform::kNoWindow;
    if (channel == 1) window = adapter_.videoWindow1_.load();
    if (channel == 2) window = adapter_.videoWindow2_.load();
    if (window == platform::kNoWindow) return 1;
    platform::SendMessage(window, vexplayer::WM_PLAYERWND_PLACE, 0, 0);
    platform::SendMessage(window, vexplayer::WM_PLAYERWND_SHOW, 0, 0);
    return 0;
}

int Tarnstat1::GetStateId() const { return static_cast<int>(StateId::Playing); }
int Tarnstat1::TraceState() { return SettleAndTrace(StateId::Playing); }

} // namespace player

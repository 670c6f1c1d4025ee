#pragma once
// The player's commands: the text commands of the contract, parsed, and the requests the video
// windows pass on from the viewer's window messages.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace vexplayer {

enum class SeekMode { Relative, Percent, Absolute };
enum class SpeedChange { Add, Multiply, Set };

struct LoadFiles {
    std::string channel1;
    std::string channel2;   // empty: one channel
};
struct TogglePause {};
struct StopPlayback {};
struct Seek {
    double value = 0;
    SeekMode mode = SeekMode::Relative;
};
struct ChangeSpeed {
    double value = 1;
    SpeedChange change = SpeedChange::Set;
};
struct ChangeVolume {
    double value = 0;
    bool absolute = true;
};
struct Quit {};

// From the video windows.
struct ReportClipLength {};
struct StepFrame {};
struct FollowOwner {};
struct RefreshPlacement {
    int channel = 0;   // 0 or 1
};

using Command = std::variant<LoadFiles, TogglePause, StopPlayback, Seek, ChangeSpeed, ChangeVolume,
                             Quit, ReportClipLength, StepFrame, FollowOwner, RefreshPlacement>;

// One text command as cmd_direct receives it (without its NUL). Unknown commands, malformed
// arguments, quotes that do not close and paths holding a quote give nothing.
std::optional<Command> ParseCommand(std::string_view text);

} // namespace vexplayer

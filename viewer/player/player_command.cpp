#include "player/player_command.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <limits>

#include "contract/vexplayer_contract.h"
#include "platform/number_text.h"

namespace player {

std::optional<std::string> FormatCommand(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string command = platform::FormatTextV(format, arguments);
    va_end(arguments);
    if (command.size() >= vexplayer::kCommandBufferSize) return std::nullopt;
    return command;
}

std::optional<std::string> LoadFileCommand(const std::string& channel1Path, const std::string& channel2Path) {
    if (channel1Path.find('"') != std::string::npos || channel2Path.find('"') != std::string::npos)
        return std::nullopt;
    std::optional<std::string> command =
        FormatCommand(vexplayer::kCmdLoadFile, channel1Path.c_str(), channel2Path.c_str());
    if (command) std::replace(command->begin(), command->end(), '\\', '/');
    return command;
}

std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    const double truncated = std::trunc(value);
    if (truncated >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (truncated <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(truncated);
}

} // namespace player

#include "player/player_command.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

#include "contract/vexplayer_contract.h"

namespace player {

std::optional<std::string> FormatCommand(const char* format, ...) {
    char buffer[vexplayer::kCommandBufferSize];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer) return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(length));
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

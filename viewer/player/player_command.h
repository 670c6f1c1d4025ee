#pragma once
// Text commands for the player library. A command and its NUL must fit the library's 256-character
// command buffer; a command that would not fit is refused, never cut. Numbers are written with
// the "C" locale's rules whatever the user's locale. Paths inside the load
// command are quoted, so a path holding a quote is refused as well.

#include <cstdint>
#include <optional>
#include <string>

namespace player {

std::optional<std::string> FormatCommand(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "tarn_loadfile \"<path 1>\" \"<path 2>\"" with every backslash turned into a forward slash.
std::optional<std::string> LoadFileCommand(const std::string& channel1Path, const std::string& channel2Path);

// Truncation toward zero that saturates at the 32-bit limits and maps NaN to 0.
std::int32_t TruncateToInt32(double value);

} // namespace player

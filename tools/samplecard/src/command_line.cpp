#include "samplecard/command_line.h"

#include <optional>

#include "platform/number_text.h"

namespace samplecard {
namespace {

constexpr int kMinSide = 64;
constexpr int kMaxSide = 4096;
constexpr int kMaxSeconds = 3600;

std::optional<int> wholeNumber(std::string_view text) { return platform::ParseInteger<int>(text); }

bool validSide(std::optional<int> side) {
  return side && *side >= kMinSide && *side <= kMaxSide && *side % 2 == 0;
}

CommandLine failure(std::string message) {
  CommandLine line;
  line.action = CommandLine::Action::Error;
  line.error = std::move(message);
  return line;
}

}  // namespace

std::string usageText() {
  return "Usage: samplecard DIR [--size WxH] [--rear-size WxH] [--seconds N] [--hemisphere sw]\n"
         "Writes a folder laid out like the dash camera's memory card: front and rear\n"
         "recordings with telemetry, one-channel recordings and damaged files.\n"
         "\n"
         "  --size WxH          picture size, even numbers from 64 to 4096 (default 640x480)\n"
         "  --rear-size WxH     picture size of the rear files (default: as --size)\n"
         "  --seconds N         length of every recording, 1 to 3600 (default 6)\n"
         "  --hemisphere sw|ne  drive in the southern and western hemispheres (default ne)\n"
         "  --help              show this text\n";
}

CommandLine parseCommandLine(std::span<const std::string_view> arguments) {
  CommandLine line;
  line.action = CommandLine::Action::Generate;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view name = arguments[i];
    if (name == "--help" || name == "-h") {
      line.action = CommandLine::Action::Help;
      return line;
    }
    if (!name.starts_with("--")) {
      if (!line.folder.empty()) return failure("more than one folder given");
      line.folder = std::string(name);
      continue;
    }
    std::string_view value;
    if (const auto equals = name.find('='); equals != std::string_view::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return failure(std::string(name) + " needs a value");
    }

    if (name == "--size" || name == "--rear-size") {
      const auto x = value.find('x');
      if (x == std::string_view::npos) return failure(std::string(name) + " wants WxH, for example 1280x720");
      const auto width = wholeNumber(value.substr(0, x));
      const auto height = wholeNumber(value.substr(x + 1));
      if (!validSide(width) || !validSide(height))
        return failure(std::string(name) + ": width and height must be even, from 64 to 4096");
      (name == "--size" ? line.options.width : line.options.rearWidth) = *width;
      (name == "--size" ? line.options.height : line.options.rearHeight) = *height;
    } else if (name == "--seconds") {
      const auto seconds = wholeNumber(value);
      if (!seconds || *seconds < 1 || *seconds > kMaxSeconds)
        return failure("--seconds: a whole number from 1 to 3600");
      line.options.seconds = *seconds;
    } else if (name == "--hemisphere") {
      if (value == "sw")
        line.options.hemisphere = Hemisphere::SouthWest;
      else if (value == "ne")
        line.options.hemisphere = Hemisphere::NorthEast;
      else
        return failure("--hemisphere: sw or ne");
    } else {
      return failure("unknown option " + std::string(name));
    }
  }
  if (line.folder.empty()) return failure("no folder given");
  return line;
}

}  // namespace samplecard

#include "probe_options.h"

#include <string_view>

#include "platform/number_text.h"

namespace playerprobe {

namespace {

template <class Number>
std::optional<Number> ParseNumber(const std::string& text, int base = 10) {
    std::string_view digits = text;
    if (base == 16 && digits.rfind("0x", 0) == 0) digits.remove_prefix(2);
    return platform::ParseInteger<Number>(digits, base);
}

std::optional<std::uint32_t> ParseKey(const std::string& text) {
    return text.rfind("0x", 0) == 0 ? ParseNumber<std::uint32_t>(text, 16) : ParseNumber<std::uint32_t>(text);
}

} // namespace

std::string ProbeUsage() {
    return "usage: playerprobe [options] FRONT [REAR]\n"
           "Runs the player library on FRONT (and REAR) and prints every callback as one line:\n"
           "the event code, a blank, then the values it carries. Each line of standard input is\n"
           "passed to the player as a command (for example: pause, seek 2.00 2, quit).\n"
           "  --channels 1|2     channel count the viewer answers (default: 2 with REAR, else 1)\n"
           "  --volume N         volume the viewer answers (default 100)\n"
           "  --main-window      create a main window for the video windows\n"
           "  --popup 1|2        create that channel's video popup and report it shown\n"
           "  --encrypted KEY    encryption view mode with this 32-bit key (decimal or 0x...)\n"
           "  --benchmark        decode both channels as fast as possible, print frames per second\n"
           "  --times            append t=SECONDS since the player started to every line\n"
           "  --quit-at-end      send \"quit\" at the end of the clip\n"
           "  --stop-after N     set the player's stop flag after N frame events\n"
           "  --help\n";
}

ParsedOptions ParseProbeOptions(const std::vector<std::string>& arguments) {
    ProbeOptions options;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= arguments.size()) return std::nullopt;
            return arguments[++i];
        };
        if (arg == "--help") return {std::nullopt, {}};
        if (arg == "--main-window") { options.mainWindow = true; continue; }
        if (arg == "--benchmark") { options.benchmark = true; continue; }
        if (arg == "--times") { options.times = true; continue; }
        if (arg == "--quit-at-end") { options.quitAtEnd = true; continue; }
        if (arg == "--channels" || arg == "--volume" || arg == "--popup" || arg == "--stop-after") {
            const auto text = value();
            const auto number = text ? ParseNumber<int>(*text) : std::nullopt;
            if (!number) return {std::nullopt, arg + " needs a number"};
            if (arg == "--channels") {
                if (*number != 1 && *number != 2) return {std::nullopt, "--channels is 1 or 2"};
                options.channels = *number;
            } else if (arg == "--volume") {
                options.volume = *number;
            } else if (arg == "--popup") {
                if (*number != 1 && *number != 2) return {std::nullopt, "--popup is 1 or 2"};
                options.popups[static_cast<std::size_t>(*number - 1)] = true;
            } else {
                options.stopAfterFrames = *number;
            }
            continue;
        }
        if (arg == "--encrypted") {
            const auto text = value();
            const auto key = text ? ParseKey(*text) : std::nullopt;
            if (!key) return {std::nullopt, "--encrypted needs a 32-bit key"};
            options.key = key;
            continue;
        }
        if (arg.size() > 1 && arg.rfind("--", 0) == 0) return {std::nullopt, "unknown option " + arg};
        files.push_back(arg);
    }
    if (files.empty() || files.size() > 2) return {std::nullopt, "one or two files"};
    options.front = files[0];
    if (files.size() > 1) options.rear = files[1];
    return {options, {}};
}

} // namespace playerprobe

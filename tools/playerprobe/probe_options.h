#pragma once
// playerprobe's command line.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace playerprobe {

struct ProbeOptions {
    std::string front;
    std::string rear;
    int channels = 0;                  // answered at event 34; 0: 2 with a rear file, else 1
    int volume = 100;                  // event 30
    bool mainWindow = false;           // a real main window for the video windows
    std::array<bool, 2> popups{};      // a shown video popup per channel (events 25/28, 31/32)
    std::optional<std::uint32_t> key; // encryption view mode and its key (events 36, 37)
    bool benchmark = false;
    bool times = false;
    bool quitAtEnd = false;
    int stopAfterFrames = 0;           // sets the stop flag after this many frame events

    int channelCount() const { return channels != 0 ? channels : (rear.empty() ? 1 : 2); }
};

struct ParsedOptions {
    std::optional<ProbeOptions> options;   // nothing: print usage (help when error is empty)
    std::string error;
};

ParsedOptions ParseProbeOptions(const std::vector<std::string>& arguments);
std::string ProbeUsage();

} // namespace playerprobe

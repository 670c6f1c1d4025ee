#pragma once
// The player's start arguments, mplayer style: options, then the channel-1 and channel-2 paths.
//   "-vo null"    decode without making pictures or windows
//   "-benchmark"  present every picture as soon as it is decoded, without pacing
//   "-nosound"    no audio ("-ao null" too)
// Other options are accepted and ignored ("-autosync 0"); "-vo" and "-ao" and "-autosync" take a
// value.

#include <string>

namespace vexplayer {

struct StartOptions {
    std::string channel1;
    std::string channel2;
    bool pictures = true;
    bool paced = true;
    bool sound = true;
};

StartOptions ParseStartOptions(int argc, char** argv);

} // namespace vexplayer

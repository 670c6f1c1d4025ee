#include "start_options.h"

#include <array>
#include <string_view>
#include <vector>

namespace vexplayer {

namespace {

constexpr std::array<std::string_view, 3> kOptionsWithValue{"-vo", "-ao", "-autosync"};

bool TakesValue(std::string_view option) {
    for (std::string_view name : kOptionsWithValue)
        if (name == option) return true;
    return false;
}

} // namespace

StartOptions ParseStartOptions(int argc, char** argv) {
    StartOptions options;
    std::vector<std::string> files;
    for (int i = 1; argv && i < argc && argv[i]; ++i) {
        const std::string_view arg = argv[i];
        if (arg.empty() || arg.front() != '-') {
            files.emplace_back(arg);
            continue;
        }
        std::string_view value;
        if (TakesValue(arg) && i + 1 < argc && argv[i + 1]) value = argv[++i];
        if (arg == "-vo" && value == "null") options.pictures = false;
        if (arg == "-ao" && value == "null") options.sound = false;
        if (arg == "-nosound") options.sound = false;
        if (arg == "-benchmark") options.paced = false;
    }
    if (!files.empty()) options.channel1 = files[0];
    if (files.size() > 1) options.channel2 = files[1];
    return options;
}

} // namespace vexplayer

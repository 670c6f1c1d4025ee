#include "probe_options.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/number_text.h"

namespace mapprobe {

namespace {
constexpr const char* kUsage =
    "usage: mapprobe [--window] [--write DIR] [--zoom Z] [--route FILE] [--png FILE] LAT LON [LAT2 LON2]\n";

std::optional<ProbeOptions> Refuse(const char* why) {
    std::fprintf(stderr, "mapprobe: %s\n%s", why, kUsage);
    return std::nullopt;
}
} // namespace

std::optional<ProbeOptions> ParseProbeOptions(int argc, char** argv) {
    ProbeOptions options;
    std::vector<std::string> positions;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (argument == "--window") {
            options.window = true;
        } else if (argument == "--write" || argument == "--route" || argument == "--png") {
            const char* text = value();
            if (!text) return Refuse("an option lacks its value");
            (argument == "--write" ? options.writeFolder : argument == "--route" ? options.routeFile : options.pngFile) = text;
        } else if (argument == "--zoom") {
            const char* text = value();
            const std::optional<int> zoom = text ? platform::ParseInteger<int>(text) : std::nullopt;
            if (!zoom || *zoom < 0 || *zoom > 19) return Refuse("--zoom takes 0 to 19");
            options.zoom = zoom;
        } else if (argument.starts_with("--")) {
            return Refuse("unknown option");
        } else {
            positions.emplace_back(argument);
        }
    }
    if (positions.size() != 2 && positions.size() != 4) return Refuse("give LAT LON, or LAT LON LAT2 LON2");
    options.latitude = positions[0];
    options.longitude = positions[1];
    if (positions.size() == 4) {
        options.latitude2 = positions[2];
        options.longitude2 = positions[3];
    }
    return options;
}

} // namespace mapprobe

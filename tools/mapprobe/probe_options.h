#pragma once
// The command line of mapprobe:
// mapprobe [--window] [--write DIR] [--zoom Z] [--route FILE] [--png FILE] LAT LON [LAT2 LON2]

#include <optional>
#include <string>

namespace mapprobe {

struct ProbeOptions {
    bool window = false;          // the map window's page and size, else the main window's
    std::string writeFolder;      // only write the page there
    std::optional<int> zoom;      // zoom the map to this, with the zoom buttons
    std::string routeFile;        // a recording whose route is drawn
    std::string pngFile;          // the browser's picture at the end
    std::string latitude, longitude;
    std::string latitude2, longitude2;   // pushed after the first report
};

// Nothing (and a message on the standard error) for a line that does not follow the form.
std::optional<ProbeOptions> ParseProbeOptions(int argc, char** argv);

} // namespace mapprobe

#pragma once
// The format worker, run on a thread of its own: it reads the drives again, formats only the
// volume the user picked and confirmed, and reports by posting the format messages to the
// receiver. Its callback writes "[command]" and "OutPut" lines on the debugger output.

#include <optional>
#include <string>

#include "platform/win_types.h"

namespace clockfix {

// The volume as the selection handler saw it.
struct FormatTarget {
    std::string mountPoint;
    unsigned major = 0;
    unsigned minor = 0;
    std::string label;

    bool operator==(const FormatTarget&) const = default;
};

// The volume mounted at mountPoint now; nullopt when nothing is.
std::optional<FormatTarget> VolumeNow(const std::string& mountPoint);

// Formats target when the volume at its mount point still has its device number and label and is
// a removable drive; WM_FORMAT_FAILED otherwise, when no format entry exists, and when the entry
// returns without a done report. Exactly one WM_FORMAT_DONE or WM_FORMAT_FAILED per run.
void RunFormatWorker(const FormatTarget& target, platform::HWND receiver);

} // namespace clockfix

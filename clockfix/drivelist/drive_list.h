#pragma once
// Clockfix's drive list: the removable volumes (and RAM disks) in mount order, each shown as
// "(" + label cut to 10 bytes + ") " + mount point, and the recorder's card recognised by its
// whole label.

#include <string>
#include <string_view>
#include <vector>

namespace drivelist {

// The label a formatted card carries; recognised when the window starts.
inline constexpr std::string_view kStartLabel = "KX-310T";
// The label recognised after a device change.
inline constexpr std::string_view kDeviceChangeLabel = "Drive Recorder";

// "(" + the label's first 10 bytes, never cutting a character + ") " + the mount point.
std::string EntryText(std::string_view label, std::string_view mountPoint);

// Whether a volume of this drive type is listed: removable, RAM disk and no-root-directory are;
// unknown, fixed, remote and CD-ROM are not.
bool IsListedDriveType(unsigned driveType);

struct DriveList {
    std::vector<std::string> mountPoints;   // by list position
    std::vector<std::string> texts;         // the entry texts, same positions
    int recognised = -1;                    // first entry whose whole label is the one asked for
};

// The list of the volumes mounted now; recognition compares whole labels, case-sensitively.
DriveList BuildDriveList(std::string_view recognitionLabel);

} // namespace drivelist

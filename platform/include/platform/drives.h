#pragma once
// Mounted volumes standing for drive letters: the list in mountinfo order, each volume's drive
// type in the Windows numbers, its label and total size. Everything is read below "/", or below
// the folder TRIPDESK_DRIVE_ROOT names (its proc/self/mountinfo, sys/, run/udev/data/ and
// dev/disk/by-label/), whose mountinfo names real folders as mount points.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum DriveType : unsigned {
    DRIVE_UNKNOWN = 0,
    DRIVE_NO_ROOT_DIR = 1,
    DRIVE_REMOVABLE = 2,
    DRIVE_FIXED = 3,
    DRIVE_REMOTE = 4,
    DRIVE_CDROM = 5,
    DRIVE_RAMDISK = 6,
};

// At most this many volumes are listed, as there are drive letters C to Z.
inline constexpr std::size_t kMaxDrives = 24;

// Mount points of the volumes with a block device (the first mountinfo line of each device
// whose root is "/"), in mountinfo order; never the volume at "/" nor any on the same disk.
std::vector<std::string> MountedVolumes();

// The type of the volume mounted at mountPoint (the last mount there wins); unknown for a
// folder that is no mount point.
unsigned GetDriveType(const std::string& mountPoint);

// The file-system label of the volume at mountPoint, empty when it has none or is unknown.
std::string VolumeLabel(const std::string& mountPoint);

// What is mounted at mountPoint (the last mount there wins).
struct MountedVolume {
    unsigned major = 0;
    unsigned minor = 0;
    std::string fsType;
    std::string source;        // the mount source as mountinfo names it
    std::string deviceNode;    // "dev/<kernel name>" below the source root; empty without a block device
    bool onSystemDisk = false; // the mount point is "/" or the device lies on the disk of "/"
};
std::optional<MountedVolume> VolumeAt(const std::string& mountPoint);

// statvfs's f_blocks × f_frsize of mountPoint, 0 when that fails.
std::uint64_t TotalSize(const std::string& mountPoint);

} // namespace platform

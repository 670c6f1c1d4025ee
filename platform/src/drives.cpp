#include "platform/drives.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>
#include <utility>

namespace platform {
namespace {

namespace fs = std::filesystem;

struct MountLine {
    unsigned major = 0;
    unsigned minor = 0;
    std::string root;
    std::string mountPoint;
    std::string fsType;
    std::string source;
};

struct BlockDevice {
    std::string name;   // kernel name, e.g. "sdb1"
    fs::path disk;      // sysfs folder of the whole disk (the device itself when no partition)
};

// Network file systems: whatever they hold, they are remote drives.
constexpr std::string_view kRemoteFileSystems[] = {
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "ceph", "coda", "glusterfs",
    "davfs", "fuse.sshfs", "fuse.glusterfs", "fuse.davfs", "fuse.rclone",
};

fs::path BelowSourceRoot(std::string_view relative) {
    const char* root = std::getenv("TRIPDESK_DRIVE_ROOT");
    return fs::path(root != nullptr && *root != '\0' ? root : "/") / relative;
}

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Undoes the kernel's "\040" (octal, three digits) or udev's "\x20" (hex, two digits) escapes;
// a backslash not starting a whole escape stays as it is.
std::string DecodeEscapes(std::string_view text, bool hex) {
    const std::size_t prefix = hex ? 2 : 1;
    const std::size_t digits = hex ? 2 : 3;
    const int base = hex ? 16 : 8;
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = text[i] == '\\' && i + prefix + digits <= text.size() &&
                            (!hex || text[i + 1] == 'x');
        int value = 0;
        bool whole = starts;
        for (std::size_t d = 0; whole && d < digits; ++d) {
            const int digit = DigitValue(text[i + prefix + d], base);
            whole = digit >= 0;
            value = value * base + digit;
        }
        if (whole && value <= 0xFF) {
            decoded += static_cast<char>(value);
            i += prefix + digits - 1;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::optional<MountLine> ParseMountLine(const std::string& text) {
    std::istringstream fields(text);
    std::string id, parent, device, root, mountPoint, options, field;
    if (!(fields >> id >> parent >> device >> root >> mountPoint >> options)) return std::nullopt;
    while (fields >> field && field != "-") {}
    MountLine line;
    if (field != "-" || !(fields >> line.fsType)) return std::nullopt;
    fields >> line.source;
    const std::size_t colon = device.find(':');
    if (colon == std::string::npos) return std::nullopt;
    char* end = nullptr;
    const unsigned long major = std::strtoul(device.c_str(), &end, 10);
    if (end != device.c_str() + colon) return std::nullopt;
    const unsigned long minor = std::strtoul(device.c_str() + colon + 1, &end, 10);
    if (*end != '\0' || end == device.c_str() + colon + 1) return std::nullopt;
    line.major = static_cast<unsigned>(major);
    line.minor = static_cast<unsigned>(minor);
    line.root = DecodeEscapes(root, false);
    line.mountPoint = DecodeEscapes(mountPoint, false);
    line.source = DecodeEscapes(line.source, false);
    return line;
}

std::vector<MountLine> ReadMountInfo() {
    std::vector<MountLine> lines;
    std::ifstream file(BelowSourceRoot("proc/self/mountinfo"));
    std::string text;
    while (std::getline(file, text)) {
        if (auto line = ParseMountLine(text)) lines.push_back(std::move(*line));
    }
    return lines;
}

std::string DeviceNumber(const MountLine& line) {
    return std::to_string(line.major) + ":" + std::to_string(line.minor);
}

std::optional<BlockDevice> FindBlockDevice(const MountLine& line) {
    if (line.major == 0) return std::nullopt;
    std::error_code error;
    const fs::path folder = fs::canonical(BelowSourceRoot("sys/dev/block/" + DeviceNumber(line)), error);
    if (error) return std::nullopt;
    const bool partition = fs::exists(folder / "partition", error);
    return BlockDevice{folder.filename().string(), partition ? folder.parent_path() : folder};
}

std::string FirstLineOf(const fs::path& path) {
    std::ifstream file(path);
    std::string text;
    std::getline(file, text);
    return text;
}

unsigned BlockDriveType(const BlockDevice& device) {
    const std::string diskName = device.disk.filename().string();
    if (diskName.starts_with("ram") || diskName.starts_with("zram")) return DRIVE_RAMDISK;
    const std::string deviceType = FirstLineOf(device.disk / "device" / "type");
    // CD drives come before removable ones, as sysfs marks them removable too.
    if (diskName.starts_with("sr") || deviceType == "5") return DRIVE_CDROM;
    if (FirstLineOf(device.disk / "removable") == "1") return DRIVE_REMOVABLE;
    if (diskName.starts_with("mmcblk") && deviceType == "SD") return DRIVE_REMOVABLE;
    return DRIVE_FIXED;
}

std::optional<MountLine> TopMountAt(const std::vector<MountLine>& lines, const std::string& mountPoint) {
    const auto found = std::find_if(lines.rbegin(), lines.rend(),
                                    [&](const MountLine& line) { return line.mountPoint == mountPoint; });
    if (found == lines.rend()) return std::nullopt;
    return *found;
}

std::string UdevLabel(const MountLine& line) {
    std::ifstream file(BelowSourceRoot("run/udev/data/b" + DeviceNumber(line)));
    constexpr std::string_view key = "E:ID_FS_LABEL_ENC=";
    std::string text;
    while (std::getline(file, text)) {
        if (text.starts_with(key)) return DecodeEscapes(std::string_view(text).substr(key.size()), true);
    }
    return {};
}

std::string ByLabelLink(const std::string& deviceName) {
    std::error_code error;
    for (fs::directory_iterator entry(BelowSourceRoot("dev/disk/by-label"), error), end; !error && entry != end;
         entry.increment(error)) {
        const fs::path target = fs::read_symlink(entry->path(), error);
        if (!error && target.filename() == deviceName) return DecodeEscapes(entry->path().filename().string(), true);
        error.clear();
    }
    return {};
}

std::optional<fs::path> SystemDisk(const std::vector<MountLine>& lines) {
    if (const auto top = TopMountAt(lines, "/")) {
        if (const auto device = FindBlockDevice(*top)) return device->disk;
    }
    return std::nullopt;
}

} // namespace

std::vector<std::string> MountedVolumes() {
    const std::vector<MountLine> lines = ReadMountInfo();
    const std::optional<fs::path> systemDisk = SystemDisk(lines);
    std::vector<std::string> volumes;
    std::set<std::pair<unsigned, unsigned>> seen;
    for (const MountLine& line : lines) {
        if (line.root != "/" || !seen.insert({line.major, line.minor}).second) continue;
        const auto device = FindBlockDevice(line);
        if (!device || line.mountPoint == "/" || device->disk == systemDisk) continue;
        volumes.push_back(line.mountPoint);
        if (volumes.size() == kMaxDrives) break;
    }
    return volumes;
}

unsigned GetDriveType(const std::string& mountPoint) {
    const auto line = TopMountAt(ReadMountInfo(), mountPoint);
    if (!line) return DRIVE_UNKNOWN;
    if (const auto device = FindBlockDevice(*line)) return BlockDriveType(*device);
    const bool remote = std::find(std::begin(kRemoteFileSystems), std::end(kRemoteFileSystems), line->fsType) !=
                        std::end(kRemoteFileSystems);
    return remote ? DRIVE_REMOTE : DRIVE_UNKNOWN;
}

std::string VolumeLabel(const std::string& mountPoint) {
    const auto line = TopMountAt(ReadMountInfo(), mountPoint);
    if (!line) return {};
    std::string label = UdevLabel(*line);
    if (label.empty()) {
        if (const auto device = FindBlockDevice(*line)) label = ByLabelLink(device->name);
    }
    return label;
}

std::optional<MountedVolume> VolumeAt(const std::string& mountPoint) {
    const std::vector<MountLine> lines = ReadMountInfo();
    const auto line = TopMountAt(lines, mountPoint);
    if (!line) return std::nullopt;
    MountedVolume volume{line->major, line->minor, line->fsType, line->source, {}, line->mountPoint == "/"};
    if (const auto device = FindBlockDevice(*line)) {
        volume.deviceNode = BelowSourceRoot("dev/" + device->name).string();
        volume.onSystemDisk = volume.onSystemDisk || device->disk == SystemDisk(lines);
    }
    return volume;
}

std::uint64_t TotalSize(const std::string& mountPoint) {
    struct statvfs info {};
    if (statvfs(mountPoint.c_str(), &info) != 0) return 0;
    return static_cast<std::uint64_t>(info.f_blocks) * info.f_frsize;
}

} // namespace platform

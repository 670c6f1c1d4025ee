#include "platform/format_service.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <optional>
#include <string_view>

#include "format_report.h"
#include "format_tool.h"
#include "format_udisks.h"
#include "platform/drives.h"

namespace platform {
namespace {

std::mutex hookMutex;
FormatExLookupHook lookupHook;

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsBlockDevice(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISBLK(info.st_mode);
}

bool ValidClusterSize(unsigned size) {
    return size == 0 || (size >= 512 && size <= 65536 && (size & (size - 1)) == 0);
}

std::string MountPointOf(std::string root) {
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    return root;
}

// Root without UDisks2: the kernel's own unmount and mount around the tool.
bool FormatDirectly(const MountedVolume& volume, const std::string& mountPoint, const std::string& label, bool quick, unsigned clusterSize, FormatReport& report) {
    if (::geteuid() != 0 || !IsBlockDevice(volume.deviceNode)) return false;
    if (::umount2(mountPoint.c_str(), 0) != 0) return false;
    const bool made = FormatWithTool(volume.deviceNode, label, quick, clusterSize, report);
    ::mount(volume.deviceNode.c_str(), mountPoint.c_str(), made ? "vfat" : volume.fsType.c_str(), 0, nullptr);
    return made;
}

bool Format(const std::string& root, unsigned media, std::string_view fileSystem, const std::string& label,
            bool quick, unsigned clusterSize, FormatReport& report) {
    if (fileSystem != "FAT32" || media != FMIFS_REMOVABLE || !ValidClusterSize(clusterSize)) return false;
    const std::string mountPoint = MountPointOf(root);
    const std::optional<MountedVolume> volume = VolumeAt(mountPoint);
    if (!volume || volume->onSystemDisk) return false;
    if (IsRegularFile(volume->source)) {
        const std::optional<MountedVolume> system = VolumeAt("/");
        if (system && system->source == volume->source) return false;
        return FormatWithTool(volume->source, label, quick, clusterSize, report);
    }
    if (volume->deviceNode.empty() || GetDriveType(mountPoint) != DRIVE_REMOVABLE) return false;
    if (UdisksReachable()) return FormatThroughUdisks(volume->deviceNode, label, report);
    return FormatDirectly(*volume, mountPoint, label, quick, clusterSize, report);
}

} // namespace

void FormatEx(const char* root, unsigned media, const char* fileSystem, const char* label, bool quick,
              unsigned clusterSize, FormatCallback callback) {
    FormatReport report(callback);
    const bool success = root != nullptr && fileSystem != nullptr && label != nullptr &&
                         Format(root, media, fileSystem, label, quick, clusterSize, report);
    report.done(success);
}

FormatExFunction FindFormatEx() {
    FormatExLookupHook hook;
    {
        std::lock_guard lock(hookMutex);
        hook = lookupHook;
    }
    if (hook) return hook();
    const char* path = std::getenv("PATH");
    const bool tool = !FindFormatTool(path != nullptr ? path : "", kFormatToolFolders).empty();
    return tool || UdisksReachable() ? &FormatEx : nullptr;
}

void SetFormatExLookupHook(FormatExLookupHook hook) {
    std::lock_guard lock(hookMutex);
    lookupHook = std::move(hook);
}

} // namespace platform

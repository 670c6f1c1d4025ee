#include "drivelist/drive_list.h"

#include "platform/drives.h"
#include "platform/text_rules.h"

namespace drivelist {

namespace {
constexpr std::size_t kShownLabelBytes = 10;
}

std::string EntryText(std::string_view label, std::string_view mountPoint) {
    std::string text = "(";
    text += platform::CutUtf8(label, kShownLabelBytes);
    text += ") ";
    text += mountPoint;
    return text;
}

bool IsListedDriveType(unsigned driveType) {
    switch (driveType) {
    case platform::DRIVE_REMOVABLE:
    case platform::DRIVE_RAMDISK:
    case platform::DRIVE_NO_ROOT_DIR:
        return true;
    default:
        return false;
    }
}

DriveList BuildDriveList(std::string_view recognitionLabel) {
    DriveList list;
    for (const std::string& mountPoint : platform::MountedVolumes()) {
        if (!IsListedDriveType(platform::GetDriveType(mountPoint))) continue;
        const std::string label = platform::VolumeLabel(mountPoint);
        if (list.recognised < 0 && label == recognitionLabel)
            list.recognised = static_cast<int>(list.mountPoints.size());
        list.texts.push_back(EntryText(label, mountPoint));
        list.mountPoints.push_back(mountPoint);
    }
    return list;
}

} // namespace drivelist

#pragma once
// Formatting a block device through UDisks2 on the system bus (DBUS_SYSTEM_BUS_ADDRESS when set):
// unmount, format "vfat" with zeros written first, bring the card back by mounting it, and read
// the new file system's kind, version and label back.

#include <string>

#include "format_report.h"

namespace platform {

// The UDisks2 service owns its name on the system bus or can be started there.
bool UdisksReachable();

// True when the device reads back as vfat, FAT32, with this label (mounted again or not).
bool FormatThroughUdisks(const std::string& deviceNode, const std::string& label, FormatReport& report);

} // namespace platform

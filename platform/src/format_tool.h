#pragma once
// Formatting a file or a block device by hand: zeros over all of it, then mkfs.fat, then the
// boot sector read back.

#include <string>
#include <vector>

#include "format_report.h"

namespace platform {

// The folders searched for mkfs.fat after PATH, which a desktop user's PATH lacks.
inline const std::vector<std::string> kFormatToolFolders = {"/usr/sbin", "/sbin"};

// quick = false zeros the whole target first (progress while it does). clusterSize 0 lets
// mkfs.fat choose. True when the target reads back as FAT32 with this label.
bool FormatWithTool(const std::string& target, const std::string& label, bool quick, unsigned clusterSize,
                    FormatReport& report);

// Boot sector of a FAT32 file system with this label (bytes 71..81, blank-padded).
bool ReadsBackAsFat32(const std::string& target, const std::string& label);

} // namespace platform

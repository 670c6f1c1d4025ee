#pragma once
// The folder scan of the file-open window: which files of one folder a tab lists. A file is
// listed when its full path carries the tab's kind prefix for the channel mode, ".mp4" and no
// companion mark (see matchesScanName), and its boxes pass the container check. Sub-folders are
// not entered. Any thread; reads the folder and at most three box headers per matching file.

#include <string>
#include <vector>

#include "catalogue/recording_kind.h"

namespace catalogue {

// folder, "/", name; a folder that already ends in "/" gets no second one.
std::string JoinFolderPath(const std::string& folder, const std::string& name);

// File names (without the folder) of the listed files, ascending by byte comparison. A folder
// that cannot be read gives an empty list.
std::vector<std::string> ScanFolder(const std::string& folder, RecordingKind kind, int channelMode);

} // namespace catalogue

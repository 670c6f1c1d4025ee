#include "catalogue/folder_scan.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "catalogue/container_check.h"
#include "catalogue/name_rules.h"

namespace catalogue {

std::string JoinFolderPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::vector<std::string> ScanFolder(const std::string& folder, RecordingKind kind, int channelMode) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        std::error_code typeError;
        if (entries->is_directory(typeError)) continue;
        std::string name = entries->path().filename().string();
        const std::string path = JoinFolderPath(folder, name);
        // The name decides first, so that only candidates are opened.
        if (!matchesScanName(path, kind, channelMode)) continue;
        if (CheckContainer(path) != ContainerCheck::Valid) continue;
        names.push_back(std::move(name));
    }
    // std::string compares as unsigned bytes, as memcmp does.
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace catalogue

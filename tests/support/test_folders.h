#pragma once
// Folders of one test program under its own work folder (TRIPDESK_TEST_WORK_DIR, defined for
// every program made by tripdesk_add_test).

#include <filesystem>
#include <string>

namespace tripdesk::test {

// An empty folder of this name, made anew (whatever an earlier run left there is removed).
inline std::filesystem::path FreshFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(TRIPDESK_TEST_WORK_DIR) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// One folder for the whole run of this program, emptied on its first use.
inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = FreshFolder("scratch");
    return folder;
}

} // namespace tripdesk::test

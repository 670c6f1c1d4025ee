// Test programs and benchmarks started by hand, with HOME and the XDG folders pointing at a
// user's folders: those folders are left exactly as they were, and the programs' own temporary
// folders are gone when they end.

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "test_folders.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Every entry under root: its kind, and a file's bytes and time of change.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string state = std::to_string(static_cast<int>(entry.symlink_status().type()));
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            state += std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            state += std::to_string(entry.last_write_time().time_since_epoch().count());
        }
        entries[fs::relative(entry.path(), root).string()] = state;
    }
    return entries;
}

int RunProgram(const std::vector<std::string>& command, const std::vector<std::string>& environment) {
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PrivateFolders, ProgramsStartedByHandLeaveTheUsersFoldersAlone) {
    const fs::path user = tripdesk::test::FreshFolder("user");
    const fs::path home = user / "home";
    const fs::path tmp = tripdesk::test::FreshFolder("tmp");
    for (const char* folder : {".config/tripdesk", ".local/share/tripdesk", ".cache", "run"})
        fs::create_directories(home / folder);
    fs::permissions(home / "run", fs::perms::owner_all);
    std::ofstream(home / ".config/tripdesk/HKEY_CURRENT_USER.reg")
        << "Windows Registry Editor Version 5.00\n\n"
           "[HKEY_CURRENT_USER\\Software\\DezovIri_DOZI\\RDX4400 Viewer\\KX_310T_Data]\n"
           "\"Folder_Path\"=\"/home/me/recordings/\"\n";
    std::ofstream(home / ".config/tripdesk/HKEY_LOCAL_MACHINE.reg") << "Windows Registry Editor Version 5.00\n";
    const auto before = Snapshot(user);

    const std::vector<std::string> environment = {
        "PATH=/usr/bin:/bin",
        "HOME=" + home.string(),
        "XDG_CONFIG_HOME=" + (home / ".config").string(),
        "XDG_DATA_HOME=" + (home / ".local/share").string(),
        "XDG_CACHE_HOME=" + (home / ".cache").string(),
        "XDG_RUNTIME_DIR=" + (home / "run").string(),
        "TMPDIR=" + tmp.string(),
        "QT_QPA_PLATFORM=offscreen",
        "ASAN_OPTIONS=detect_leaks=0",
    };
    const std::string tests = std::string(TRIPDESK_BIN_DIR) + "/../tests/";
    const std::vector<std::vector<std::string>> programs = {
        // Writes the program's profile and the registry.
        {tests + "platform_registry_test"},
        // Removes the registry folder before each test.
        {tests + "shell_commands_test", "--gtest_filter=ShellTest.PrevNextAndPlayDoNothingOnAnEmptyList"},
        // Chooses a folder in the file-open window, which stores it in the profile.
        {std::string(TRIPDESK_BIN_DIR) + "/bench_scan", "--files", "20", "--runs", "1"},
    };
    for (const auto& program : programs) {
        SCOPED_TRACE(program.front());
        EXPECT_EQ(RunProgram(program, environment), 0);
        EXPECT_EQ(Snapshot(user), before);
        EXPECT_TRUE(fs::is_empty(tmp)) << "the program's own folders are removed when it ends";
    }
}

} // namespace

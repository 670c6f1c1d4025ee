#include "platform/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace platform {

namespace {

constexpr const char* kAppFolder = "tripdesk";

std::filesystem::path HomeDir() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/tmp";
}

// $name when it holds an absolute path (the XDG rule), else home / fallback.
std::filesystem::path XdgDir(const char* name, const char* fallback) {
    if (const char* value = std::getenv(name); value && *value == '/') return value;
    return HomeDir() / fallback;
}

// A private folder: created 0700 when missing, accepted only when it is a real folder of ours
// that nobody else may enter.
bool EnsurePrivateDir(const std::filesystem::path& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir.parent_path(), error);
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat info {};
    if (::lstat(dir.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

} // namespace

std::filesystem::path ConfigDir() { return XdgDir("XDG_CONFIG_HOME", ".config") / kAppFolder; }

std::filesystem::path DataDir() { return XdgDir("XDG_DATA_HOME", ".local/share") / kAppFolder; }

std::filesystem::path RuntimeDir() {
    if (const char* value = std::getenv("XDG_RUNTIME_DIR"); value && *value == '/') {
        const std::filesystem::path dir(value);
        std::error_code error;
        if (!std::filesystem::is_directory(dir, error)) EnsurePrivateDir(dir);
        return dir;
    }
    const std::filesystem::path shared = "/tmp/tripdesk-" + std::to_string(::getuid());
    if (EnsurePrivateDir(shared)) return shared;
    // Someone else owns the shared name: keep to a folder under the user's configuration.
    const std::filesystem::path own = ConfigDir() / "run";
    EnsurePrivateDir(own);
    return own;
}

} // namespace platform

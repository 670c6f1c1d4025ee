#include "private_folders.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace tripdesk {

namespace {

// Names the folder tree of the process that made it, for the processes it starts.
constexpr const char* kRootVariable = "TRIPDESK_PRIVATE_FOLDERS";

struct Folder {
    const char* variable;
    const char* name;
};
constexpr std::array<Folder, 6> kFolders{{
    {"HOME", "home"},
    {"XDG_CONFIG_HOME", "config"},
    {"XDG_DATA_HOME", "data"},
    {"XDG_CACHE_HOME", "cache"},
    {"XDG_STATE_HOME", "state"},
    {"XDG_RUNTIME_DIR", "run"},
}};

// Kept in static storage that needs no destructor: the exit handler runs after main.
char gRoot[4096];
pid_t gOwner = 0;

void RemoveAtExit() {
    // A forked child that ends through exit() must not take its parent's folders with it.
    if (::getpid() != gOwner) return;
    std::error_code error;
    std::filesystem::remove_all(gRoot, error);
}

bool InheritedFromParent() {
    const char* root = std::getenv(kRootVariable);
    if (!root || *root != '/') return false;
    for (const Folder& folder : kFolders) {
        const char* value = std::getenv(folder.variable);
        if (!value || std::filesystem::path(value) != std::filesystem::path(root) / folder.name) return false;
    }
    std::error_code error;
    return std::filesystem::is_directory(root, error);
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "private folders: %s: %s\n", what, std::strerror(errno));
    std::fflush(stderr);
    std::_Exit(2);
}

} // namespace

void UsePrivateFolders() {
    if (InheritedFromParent()) return;
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp == '/' ? tmp : "/tmp") + "/tripdesk-private-XXXXXX";
    if (pattern.size() >= sizeof gRoot || !::mkdtemp(pattern.data())) Fail("cannot make a temporary folder");
    std::memcpy(gRoot, pattern.c_str(), pattern.size() + 1);
    gOwner = ::getpid();
    std::atexit(RemoveAtExit);
    for (const Folder& folder : kFolders) {
        const std::string path = pattern + "/" + folder.name;
        if (::mkdir(path.c_str(), 0700) != 0) Fail(path.c_str());
        ::setenv(folder.variable, path.c_str(), 1);
    }
    ::setenv(kRootVariable, pattern.c_str(), 1);
}

} // namespace tripdesk

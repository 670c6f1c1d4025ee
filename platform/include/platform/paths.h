#pragma once
// Per-user folders of the programs.

#include <filesystem>

namespace platform {

std::filesystem::path ConfigDir();   // $XDG_CONFIG_HOME/tripdesk
std::filesystem::path RuntimeDir();  // $XDG_RUNTIME_DIR, else a private folder under /tmp
std::filesystem::path DataDir();     // $XDG_DATA_HOME/tripdesk

} // namespace platform

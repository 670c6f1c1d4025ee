#pragma once
// Writing a file whole: the bytes go to a temporary file beside the target, which is flushed,
// closed and then renamed over the target. A write that fails at any step removes the temporary
// file and leaves an older file of that name as it was.

#include <cstdint>
#include <filesystem>
#include <span>

namespace platform {

// False when the temporary file cannot be created, written, flushed or closed, or the rename
// fails. The new file gets the usual permissions (0666 less the process's umask).
bool WriteWholeFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

} // namespace platform

#pragma once
// Writing a file whole: the bytes go to a new temporary file in the same folder, are flushed,
// and the temporary is renamed over the file. Whoever reads the file afterwards (the next run, a
// recorder reading its card) finds either the old file or the new one, never a part of one.
// Every file the programs keep or hand over goes through here.

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace platform {

struct WholeFileOptions {
    mode_t mode = 0666;                     // permissions of the new file, before the umask
    std::optional<std::size_t> stopAfter;   // test seam: stop after this many bytes and fail
};

// Empty on success; otherwise the error of the step that failed (creating, writing, flushing,
// closing or renaming). After a failure the temporary file is gone and the old file is as it was.
std::error_code WriteWholeFile(const std::filesystem::path& target, std::string_view bytes,
                               const WholeFileOptions& options = {});

} // namespace platform

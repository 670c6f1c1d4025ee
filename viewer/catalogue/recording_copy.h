#pragma once
// The copy of one recording file for a clip export: streamed through a fixed buffer into a
// temporary file beside the destination, with the standard file-type box at the head (see
// copy_head.h), then renamed onto the destination. The source is only read; a failure leaves
// no temporary file and an earlier destination as it was. The source may be the destination
// itself: it is read to its end before the rename replaces it.

#include <cstddef>
#include <string>

namespace catalogue {

enum class CopyStep {
    Done,
    NoRearChannel,     // the recording's name gives no rear file
    OpenSource,
    CreateTemporary,
    Read,
    Write,
    Close,             // closing or renaming the finished temporary file
};

struct CopyResult {
    CopyStep failedAt = CopyStep::Done;
    int error = 0;     // errno of the failure
    bool ok() const { return failedAt == CopyStep::Done; }
};

// Bytes of the copy buffer: the memory a copy takes whatever the file's size.
inline constexpr std::size_t kCopyBufferBytes = 1 << 20;

CopyResult CopyRecording(const std::string& source, const std::string& destination);

// The temporary file's name in the destination's folder: "." + the destination's name without
// ".mp4" and with no other dot + ".part", so that no folder scan lists it.
std::string TemporaryNameFor(const std::string& destination);

} // namespace catalogue

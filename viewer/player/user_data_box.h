#pragma once
// Finding a recording's "udat" box without reading the recording: the top-level box headers are
// walked with positioned reads and only the "udat" box and what follows it is read into memory,
// so opening a recording costs the size of its telemetry, not of its video.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace player {

enum UserDataBoxCode : int {
    kBoxFound = 0,
    kBoxNoPath = 1,
    kBoxOpenFailed = 2,
    kBoxReadFailed = 3,    // a read failed or came back short (the file shrank)
    kBoxNoSize = 4,
    kBoxNoMemory = 5,
    kBoxEmptyFile = 6,
    // No "udat" box reachable: the next header would not lie wholly inside the file, a box
    // claims a size of 0 ("to the end of the file") or below its 8-byte header, or the file is
    // shorter than one box header.
    kBoxNotFound = 7,
    // The first box is of the wrong kind for the view mode ("ftyp" required in the general view
    // mode, refused in the encryption view mode).
    kBoxWrongKind = 9,
};

struct UserDataBoxRead {
    int code = kBoxFound;
    std::vector<std::uint8_t> copy;   // from the start of the "udat" box to the end of the file
};

// encryptedView: 0 general view mode, otherwise the encryption view mode, in which the first
// box's size is combined with key by exclusive or before it is used.
UserDataBoxRead FindUserDataBox(const std::optional<std::string>& path, int encryptedView,
                                std::uint32_t key);

// The message shown when a file of the wrong kind is refused.
const char* WrongKindMessage(int encryptedView);

} // namespace player

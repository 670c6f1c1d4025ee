#pragma once
// Whether a file is a complete, plain recording: its boxes must be "ftyp", "mdat", "moov" in
// that order. Reads only the 8-byte headers of at most those three boxes, never the media.
// Any thread; touches nothing but the file.

#include <string>

namespace catalogue {

enum class ContainerCheck : int {
    OutOfOrder = -1,  // a box other than the expected one in the first three places
    NotValid = 0,     // cannot be opened, not a regular file, cut short, or a bad box size
    Valid = 1,
};

ContainerCheck CheckContainer(const std::string& path);

} // namespace catalogue

#include "card/recorder_values.h"

#include <unistd.h>

#include <cerrno>

#include "platform/read_only_file.h"

namespace card {
namespace {

struct ValueFile {
    const char* name;
    std::uint8_t RecorderValues::*value;
};

// In the order they are read.
constexpr ValueFile kValueFiles[] = {
    {"setframe.dat", &RecorderValues::frame},
    {"setsound.dat", &RecorderValues::sound},
    {"setquality.dat", &RecorderValues::quality},
    {"setsensitivity.dat", &RecorderValues::sensitivity},
};

// False when the file cannot be opened; the first byte, if there is one, goes to value.
bool ReadFirstByte(const std::string& path, std::uint8_t& value) {
    platform::ReadOnlyFile file(path);
    if (!file.isOpen()) return false;
    std::uint8_t byte = 0;
    ssize_t n;
    do {
        n = ::read(file.fd(), &byte, 1);
    } while (n < 0 && errno == EINTR);
    if (n == 1) value = byte;
    return true;
}

} // namespace

RecorderValues ReadRecorderValues(const std::string& mountPoint) {
    RecorderValues values;
    for (const ValueFile& file : kValueFiles) {
        if (!ReadFirstByte(mountPoint + "/setting/" + file.name, values.*file.value)) break;
    }
    return values;
}

std::optional<int> CheckedButton(std::uint8_t level) {
    if (level < 1 || level > 3) return std::nullopt;
    return 3 - level;
}

} // namespace card

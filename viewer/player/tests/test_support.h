#pragma once
// Recordings and "udat" boxes built byte by byte, for the player bridge tests.

#include <array>
#include <string>

#include "box_bytes.h"

namespace player::test {

using tripdesk::test::Box;
using tripdesk::test::Bytes;
using tripdesk::test::Concat;
using tripdesk::test::StoreBigEndian32;
using tripdesk::test::WriteBytes;

// The GPS sentence and G-sensor sample of step n of the built boxes.
std::string GpsSentence(int step);
std::array<float, 3> GSensorSample(int step);

struct UdatLayout {
    int entries = 4;
    const char* timeTag = "TIME";
    const char* gpsTag = "GPSI";
    const char* sensorTag = "SENS";
};
Bytes BuildUdat(const UdatLayout& layout = {});
// The offsets of the three chunks inside a box built by BuildUdat with this many entries.
std::size_t GpsChunkOffset(int entries);
std::size_t SensorChunkOffset(int entries);

// A 24-byte "ftyp", "mdat", "moov" and then the user-data box.
Bytes BuildRecording(const Bytes& udat);

} // namespace player::test

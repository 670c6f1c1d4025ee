#include "test_support.h"

#include <cstdio>
#include <cstring>

namespace player::test {

std::string GpsSentence(int step) {
    char text[128];
    std::snprintf(text, sizeof text, "$GPRMC,1203%02d.000,A,3723.%04d,N,12658.3416,E,%d.5,90.0,010124,,,A*6C",
                  step % 60, step, step % 100);
    return text;
}

std::array<float, 3> GSensorSample(int step) {
    return {0.25f * static_cast<float>(step), -0.5f * static_cast<float>(step), 1.0f + static_cast<float>(step)};
}

namespace {

void PutTag(Bytes& bytes, std::size_t offset, const char* tag) { std::memcpy(bytes.data() + offset, tag, 4); }

void PutLittleFloat(Bytes& bytes, std::size_t offset, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::size_t TimeChunkBytes(int entries) { return 8 + 4 * static_cast<std::size_t>(entries); }
std::size_t GpsChunkBytes(int entries) { return 8 + 128 * static_cast<std::size_t>(entries); }
std::size_t SensorChunkBytes(int entries) { return 8 + 12 * static_cast<std::size_t>(entries); }

} // namespace

std::size_t GpsChunkOffset(int entries) { return 8 + TimeChunkBytes(entries); }
std::size_t SensorChunkOffset(int entries) { return GpsChunkOffset(entries) + GpsChunkBytes(entries); }

Bytes BuildUdat(const UdatLayout& layout) {
    const int n = layout.entries;
    const std::size_t size = SensorChunkOffset(n) + SensorChunkBytes(n);
    Bytes box(size, 0);
    StoreBigEndian32(box, 0, static_cast<std::uint32_t>(size));
    PutTag(box, 4, "udat");
    StoreBigEndian32(box, 8, static_cast<std::uint32_t>(TimeChunkBytes(n)));
    PutTag(box, 12, layout.timeTag);
    for (int i = 0; i < n; ++i) StoreBigEndian32(box, 16 + 4 * i, static_cast<std::uint32_t>(1000 * i));
    const std::size_t gps = GpsChunkOffset(n);
    StoreBigEndian32(box, gps, static_cast<std::uint32_t>(GpsChunkBytes(n)));
    PutTag(box, gps + 4, layout.gpsTag);
    for (int i = 0; i < n; ++i) {
        const std::string sentence = GpsSentence(i);
        std::memcpy(box.data() + gps + 8 + 128 * i, sentence.data(), sentence.size());
    }
    const std::size_t sensor = SensorChunkOffset(n);
    StoreBigEndian32(box, sensor, static_cast<std::uint32_t>(SensorChunkBytes(n)));
    PutTag(box, sensor + 4, layout.sensorTag);
    for (int i = 0; i < n; ++i) {
        const std::array<float, 3> sample = GSensorSample(i);
        for (int axis = 0; axis < 3; ++axis) PutLittleFloat(box, sensor + 8 + 12 * i + 4 * axis, sample[axis]);
    }
    return box;
}

Bytes BuildRecording(const Bytes& udat) { return Concat({Box("ftyp", Bytes(16)), Box("mdat", Bytes(1000)), Box("moov", Bytes(120)), udat}); }

} // namespace player::test

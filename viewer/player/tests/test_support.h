#pragma once
// Helpers of the player bridge tests: recordings and "udat" boxes built byte by byte, a window
// that records its messages, the dialog and exit hooks, and pumping the user-interface thread.

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/window.h"

namespace player::test {

using Bytes = std::vector<std::uint8_t>;

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

void PutBigEndian32(Bytes& bytes, std::size_t offset, std::uint32_t value);
// A box of the given type with payload zero bytes (its size field counts the 8-byte header).
Bytes Box(const char* type, std::size_t payload);
Bytes Concat(std::initializer_list<Bytes> parts);
// A 24-byte "ftyp", "mdat", "moov" and then the user-data box.
Bytes BuildRecording(const Bytes& udat);

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);
// A fresh folder for one test under the test program's work folder.
std::filesystem::path FreshFolder(const std::string& name);

// Processes the user-interface thread's events until done() holds or the limit passes.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::milliseconds(5000));

struct Message {
    platform::UINT msg;
    platform::WPARAM wParam;
    platform::LPARAM lParam;
};

// Records the messages it receives (user-interface thread).
class RecorderWindow : public platform::Window {
public:
    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;
    std::vector<Message> Of(platform::UINT msg) const;
    std::vector<Message> seen;
};

// Records message boxes and exit requests instead of showing or ending anything.
class DialogHooks {
public:
    DialogHooks();
    ~DialogHooks();
    std::vector<std::string> messages;
    std::vector<int> exitCodes;
};

} // namespace player::test

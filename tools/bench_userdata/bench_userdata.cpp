// Builds a 1 GB recording ("ftyp", a sparse "mdat", "moov", then a "udat" box of 1800 steps) in
// a temporary folder and measures, on a warm cache, what finding and indexing its user data
// costs: the adapter's ReadUserData (box headers walked with positioned reads) against the
// read-everything approach (the whole file into memory, then the walk). Bytes read come from the
// kernel's count for this process (/proc/self/io, rchar).

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "mp4/big_endian.h"
#include "mp4/box_walker.h"
#include "player/tarn_adap.h"
#include "player/tarn_udat.h"
#include "private_folders.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint64_t kRecordingBytes = 1ull << 30;
constexpr int kSteps = 1800;   // one minute at 30 steps a second
constexpr int kRuns = 15;

Bytes Box(const char* type, std::size_t payload) {
    Bytes box(8 + payload, 0);
    mp4::StoreBigEndian32(box.data(), static_cast<std::uint32_t>(box.size()));
    std::memcpy(box.data() + 4, type, 4);
    return box;
}

Bytes Chunk(const char* tag, std::size_t entryBytes, const std::function<void(std::uint8_t*, int)>& fill) {
    Bytes chunk = Box(tag, entryBytes * kSteps);
    for (int i = 0; i < kSteps; ++i) fill(chunk.data() + 8 + entryBytes * i, i);
    return chunk;
}

Bytes UserDataBox() {
    const Bytes time = Chunk("TIME", 4, [](std::uint8_t* entry, int i) { std::memcpy(entry, &i, 4); });
    const Bytes gps = Chunk("GPSI", 128, [](std::uint8_t* entry, int i) {
        std::snprintf(reinterpret_cast<char*>(entry), 128,
                      "$GPRMC,12%02d%02d.000,A,3723.%04d,N,12658.3416,E,%d.5,90.0,010124,,,A*6C", i / 1800,
                      i / 30 % 60, i, i % 120);
    });
    const Bytes sensor = Chunk("SENS", 12, [](std::uint8_t* entry, int i) {
        const float sample[3] = {0.01f * i, -0.02f, 0.98f};
        std::memcpy(entry, sample, sizeof sample);
    });
    Bytes box = Box("udat", 0);
    for (const Bytes* chunk : {&time, &gps, &sensor}) box.insert(box.end(), chunk->begin(), chunk->end());
    mp4::StoreBigEndian32(box.data(), static_cast<std::uint32_t>(box.size()));
    return box;
}

void WriteAt(int fd, std::uint64_t offset, const Bytes& bytes) {
    if (::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("cannot write the recording");
}

// ftyp(24), mdat up to 1 GB (a hole), moov, udat.
std::uint64_t WriteRecording(const std::string& path) {
    const Bytes ftyp = Box("ftyp", 16);
    const Bytes moov = Box("moov", 64 * 1024);
    const Bytes udat = UserDataBox();
    const std::uint64_t mdatBytes = kRecordingBytes - ftyp.size() - moov.size() - udat.size();
    Bytes mdatHeader = Box("mdat", 0);
    mp4::StoreBigEndian32(mdatHeader.data(), static_cast<std::uint32_t>(mdatBytes));
    const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + path);
    WriteAt(fd, 0, ftyp);
    WriteAt(fd, ftyp.size(), mdatHeader);
    WriteAt(fd, ftyp.size() + mdatBytes, moov);
    WriteAt(fd, ftyp.size() + mdatBytes + moov.size(), udat);
    ::close(fd);
    return udat.size();
}

std::uint64_t BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:") return value;
    return 0;
}

// The reference: the whole file into a buffer of size + 1, then the same walk in memory.
std::size_t ReadEverything(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::size_t size = static_cast<std::size_t>(in.tellg());
    Bytes file(size + 1);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(file.data()), static_cast<std::streamsize>(size));
    const mp4::MemorySource source(std::span<const std::uint8_t>(file.data(), size));
    mp4::BoxWalker walker(source, mp4::SizeRule::Compact);
    while (walker.Next() == mp4::BoxWalker::Step::Box) {
        if (walker.box().type != mp4::FourCC("udat")) continue;
        const Bytes copy(file.begin() + static_cast<std::ptrdiff_t>(walker.box().offset),
                         file.begin() + static_cast<std::ptrdiff_t>(size));
        player::TarnUDAT parser;
        parser.SetBox(copy.data(), copy.size());
        return parser.Parse() == 0 ? copy.size() : 0;
    }
    return 0;
}

struct Measure {
    double medianMs;
    std::uint64_t bytesPerRun;
};

Measure Run(int runs, const std::function<void()>& action) {
    action();   // warm the cache
    std::vector<double> times;
    std::uint64_t bytes = 0;
    for (int i = 0; i < runs; ++i) {
        const std::uint64_t before = BytesReadSoFar();
        const auto start = std::chrono::steady_clock::now();
        action();
        const auto end = std::chrono::steady_clock::now();
        bytes += BytesReadSoFar() - before;
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], bytes / static_cast<std::uint64_t>(runs)};
}

} // namespace

int main() {
    tripdesk::UsePrivateFolders();   // before anything reads or writes under the home
    std::string pattern = (std::filesystem::temp_directory_path() / "bench_userdata-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = pattern;
    const std::string path = (folder / "drf2_20240101_120000.mp4").string();
    int status = 0;
    try {
        const std::uint64_t udatBytes = WriteRecording(path);
        std::printf("recording: %llu bytes, udat box %llu bytes (%d steps)\n",
                    static_cast<unsigned long long>(std::filesystem::file_size(path)),
                    static_cast<unsigned long long>(udatBytes), kSteps);

        player::TarnAdap adapter(platform::kNoWindow);
        adapter.SetState(player::StateId::Ended);   // its SetNextNPlay keeps the path and reads
        adapter.PlayFiles(path, "");
        int result = -1;
        const Measure walk = Run(kRuns, [&] { result = adapter.ReadUserData(); });
        if (result != 0) throw std::runtime_error("ReadUserData failed: " + std::to_string(result));

        std::size_t copied = 0;
        const Measure everything = Run(3, [&] { copied = ReadEverything(path); });
        if (copied != udatBytes) throw std::runtime_error("the reference did not find the box");

        std::printf("ReadUserData (box walk):   %10.3f ms  %12llu bytes read\n", walk.medianMs,
                    static_cast<unsigned long long>(walk.bytesPerRun));
        std::printf("read everything (ref):     %10.3f ms  %12llu bytes read\n", everything.medianMs,
                    static_cast<unsigned long long>(everything.bytesPerRun));
        std::printf("ratio (reference / walk):  %10.1f x time  %10.1f x bytes\n", everything.medianMs / walk.medianMs,
                    static_cast<double>(everything.bytesPerRun) / static_cast<double>(walk.bytesPerRun));
        const bool met = walk.bytesPerRun < 2 * 1024 * 1024 && walk.medianMs < 50.0;
        std::printf("goal (< 2 MB read, < 50 ms): %s\n", met ? "met" : "NOT met");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_userdata: %s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(folder);
    return status;
}

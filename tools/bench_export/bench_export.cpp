// Builds a 1 GB two-channel recording ("ftyp", a sparse "mdat", "moov") in a temporary folder and
// measures, on a warm cache, the clip export of front and rear into a folder on the same file
// system against std::filesystem::copy_file of the same two files. Peak resident memory comes
// from the kernel (VmHWM in /proc/self/status, reset through /proc/self/clear_refs before the
// export runs).

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
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/clip_export.h"
#include "mp4/big_endian.h"
#include "private_folders.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
constexpr std::uint64_t kRecordingBytes = 1ull << 30;
constexpr int kRuns = 3;
constexpr double kMiB = 1024.0 * 1024.0;

Bytes Box(const char* type, std::size_t payload) {
    Bytes box(8 + payload, 0);
    mp4::StoreBigEndian32(box.data(), static_cast<std::uint32_t>(box.size()));
    std::memcpy(box.data() + 4, type, 4);
    return box;
}

void WriteAt(int fd, std::uint64_t offset, const Bytes& bytes) {
    if (::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("cannot write the recording");
}

// ftyp(24), mdat up to 1 GB (a hole but for its header), moov.
void WriteRecording(const fs::path& path) {
    const Bytes ftyp = Box("ftyp", 16);
    const Bytes moov = Box("moov", 64 * 1024);
    const std::uint64_t mdatBytes = kRecordingBytes - ftyp.size() - moov.size();
    Bytes mdatHeader = Box("mdat", 0);
    mp4::StoreBigEndian32(mdatHeader.data(), static_cast<std::uint32_t>(mdatBytes));
    const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + path.string());
    WriteAt(fd, 0, ftyp);
    WriteAt(fd, ftyp.size(), mdatHeader);
    WriteAt(fd, ftyp.size() + mdatBytes, moov);
    ::close(fd);
}

// A field of /proc/self/status in KiB.
long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(key.size()));
    return -1;
}

void ResetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void ReadThrough(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> buffer(1 << 20);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
    }
}

// Median milliseconds of runs of action, each followed by cleanup (outside the timing).
double MedianMs(const std::function<void()>& action, const std::function<void()>& cleanup) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        cleanup();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    tripdesk::UsePrivateFolders();   // before anything reads or writes under the home
    std::string pattern = (fs::temp_directory_path() / "bench_export-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path folder = pattern;
    int status = 0;
    try {
        const fs::path cardFolder = folder / "card";
        const fs::path saveFolder = folder / "save";
        fs::create_directories(cardFolder);
        fs::create_directories(saveFolder);
        const fs::path front = cardFolder / "drf2_20240101_120000.mp4";
        const fs::path rear = cardFolder / "drf1_20240101_120000.mp4";
        WriteRecording(front);
        WriteRecording(rear);
        ReadThrough(front);   // warm the cache
        ReadThrough(rear);
        const double megabytes = 2.0 * static_cast<double>(kRecordingBytes) / kMiB;
        std::printf("recordings: front and rear, %llu bytes each (sparse media)\n",
                    static_cast<unsigned long long>(fs::file_size(front)));

        const catalogue::ClipExport exporter(front.string(), saveFolder.string() + "/", 2);
        const auto removeCopies = [&] {
            for (const auto& entry : fs::directory_iterator(saveFolder)) fs::remove(entry.path());
        };
        const long residentBefore = StatusKiB("VmRSS");
        ResetPeakResident();
        bool written = true;
        const double exportMs = MedianMs([&] { written = catalogue::AllWritten(exporter.Run(true, true)) && written; },
                                         removeCopies);
        const long peakDuringExport = StatusKiB("VmHWM");
        if (!written) throw std::runtime_error("the export failed");

        const double copyMs = MedianMs(
            [&] {
                fs::copy_file(front, saveFolder / "front.mp4", fs::copy_options::overwrite_existing);
                fs::copy_file(rear, saveFolder / "rear.mp4", fs::copy_options::overwrite_existing);
            },
            removeCopies);

        std::printf("clip export (front + rear):  %9.1f ms  %8.1f MB/s\n", exportMs, megabytes / (exportMs / 1000.0));
        std::printf("std::filesystem::copy_file:  %9.1f ms  %8.1f MB/s\n", copyMs, megabytes / (copyMs / 1000.0));
        std::printf("time ratio (export / copy_file): %.2f x\n", exportMs / copyMs);
        std::printf("resident before export: %ld KiB, peak during export (VmHWM): %ld KiB, growth %ld KiB\n",
                    residentBefore, peakDuringExport, peakDuringExport - residentBefore);
        const bool met = exportMs <= 1.5 * copyMs && peakDuringExport - residentBefore < 8 * 1024;
        std::printf("goal (<= 1.5 x copy_file, < 8 MiB growth): %s\n", met ? "met" : "NOT met");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_export: %s\n", error.what());
        status = 1;
    }
    fs::remove_all(folder);
    return status;
}

// Fully formats a 1 GiB card image through the format service (zeros over the whole file, then
// mkfs.fat) and runs "dd if=/dev/zero bs=4M conv=fsync" over the same file, each a few times,
// alternating, after one unmeasured pass that allocates the file; prints the median seconds and MB/s of the service's zeroing (its first progress
// report to mkfs.fat's first line, so with the flush), of the whole format and of dd. The image
// sits in a temporary folder and is mounted only in a written drive root.

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/format_service.h"
#include "private_folders.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr std::uint64_t kImageBytes = 1ull << 30;
constexpr int kRuns = 5;
constexpr double kMB = 1e6;

struct ServiceRun {
    Clock::time_point firstProgress;
    Clock::time_point zeroed;   // mkfs.fat's first line: the zeros are written and flushed
    bool started = false;
    bool made = false;
    bool success = false;
};
ServiceRun run;

bool Observe(unsigned command, unsigned, void* info) {
    const auto now = Clock::now();
    if (command == platform::FMIFS_PROGRESS && !run.started) {
        run.started = true;
        run.firstProgress = now;
    } else if (command == platform::FMIFS_OUTPUT && !run.made) {
        run.made = true;
        run.zeroed = now;
    } else if (command == platform::FMIFS_DONE) {
        run.success = *static_cast<std::uint8_t*>(info) == 1;
    }
    return true;
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Print(const char* what, double seconds) {
    std::printf("%-28s %7.2f s  %8.1f MB/s\n", what, seconds, static_cast<double>(kImageBytes) / kMB / seconds);
}

} // namespace

int main() {
    tripdesk::UsePrivateFolders();
    std::string pattern = (fs::temp_directory_path() / "bench_format-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path folder = pattern;
    const fs::path image = folder / "card.img";
    const fs::path card = folder / "media/card";
    fs::create_directories(card);
    fs::create_directories(folder / "proc/self");
    std::ofstream(folder / "proc/self/mountinfo")
        << "30 1 8:33 / " << card.string() << " rw,relatime shared:1 - vfat " << image.string() << " rw\n";
    ::setenv("TRIPDESK_DRIVE_ROOT", folder.c_str(), 1);
    std::ofstream(image, std::ios::binary).close();
    fs::resize_file(image, kImageBytes);

    const std::string dd = "dd if=/dev/zero of='" + image.string() + "' bs=4M count=" +
                           std::to_string(kImageBytes >> 22) + " conv=fsync,notrunc status=none";
    std::vector<double> zeroing, whole, ddTimes;
    // One pass first, unmeasured, so that every measured run writes over allocated blocks.
    int status = 0;
    if (std::system(dd.c_str()) != 0) {
        std::fprintf(stderr, "bench_format: dd failed\n");
        status = 1;
    }
    for (int i = 0; i < kRuns && status == 0; ++i) {
        run = ServiceRun{};
        const auto start = Clock::now();
        platform::FormatEx(card.c_str(), platform::FMIFS_REMOVABLE, "FAT32", "KX-310T", false, 0, &Observe);
        const auto end = Clock::now();
        if (!run.success || !run.made) {
            std::fprintf(stderr, "bench_format: the format failed\n");
            status = 1;
            break;
        }
        zeroing.push_back(Seconds(run.zeroed - run.firstProgress));
        whole.push_back(Seconds(end - start));

        const auto ddStart = Clock::now();
        if (std::system(dd.c_str()) != 0) {
            std::fprintf(stderr, "bench_format: dd failed\n");
            status = 1;
            break;
        }
        ddTimes.push_back(Seconds(Clock::now() - ddStart));
    }
    if (status == 0) {
        std::printf("image: %llu bytes, median of %d runs\n", static_cast<unsigned long long>(kImageBytes), kRuns);
        Print("service zeroing", Median(zeroing));
        Print("service whole format", Median(whole));
        Print("dd bs=4M conv=fsync", Median(ddTimes));
        std::printf("zeroing rate / dd rate: %.2f\n", Median(ddTimes) / Median(zeroing));
    }
    std::error_code error;
    fs::remove_all(folder, error);
    return status;
}

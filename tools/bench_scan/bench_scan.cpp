// Scans a folder of 4000 generated recordings the way the file-open window does, warm-cached, and
// prints files per second, the time and the bytes read per file (from /proc/self/io). The
// reference measured in the same run is listing the folder without looking into any file.
//
//   bench_scan [--files N] [--runs N]

#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "catalogue/file_list_page.h"
#include "catalogue/files_open_popup.h"
#include "catalogue/folder_scan.h"
#include "platform/dialogs.h"
#include "private_folders.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kGoalSeconds = 1.0;
constexpr std::uint32_t kMediaBytes = 16 * 1024;

std::string Box(const char* type, std::uint32_t size) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<char>((size >> shift) & 0xFF));
    bytes.append(type, 4);
    bytes.append(size - 8, '\0');
    return bytes;
}

// Front recordings of one card, one every minute, written in shuffled order so the sort has work.
void WriteRecordings(const fs::path& folder, int count) {
    const std::string bytes = Box("ftyp", 24) + Box("mdat", kMediaBytes) + Box("moov", 96);
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(42));
    for (int minute : order) {
        char name[64];
        std::snprintf(name, sizeof name, "drf2_201105%02d_%02d%02d00.mp4", 1 + minute / 1440,
                      minute / 60 % 24, minute % 60);
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
}

struct IoCounters {
    long long rchar = 0;  // bytes returned by read-like calls
    long long syscr = 0;  // read-like calls
};

IoCounters ReadIoCounters() {
    IoCounters counters;
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") counters.rchar = value;
        if (key == "syscr:") counters.syscr = value;
    }
    return counters;
}

struct Measurement {
    double seconds = 0;   // best of the runs
    IoCounters io;        // of one run
    std::size_t listed = 0;
};

Measurement Measure(int runs, const std::function<std::size_t()>& work) {
    Measurement best;
    best.seconds = 1e9;
    for (int run = 0; run < runs; ++run) {
        const IoCounters before = ReadIoCounters();
        const auto start = Clock::now();
        const std::size_t listed = work();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const IoCounters after = ReadIoCounters();
        if (seconds < best.seconds)
            best = {seconds, {after.rchar - before.rchar, after.syscr - before.syscr}, listed};
    }
    return best;
}

// What reading /proc/self/io itself adds to a before-and-after pair, taken off every figure.
IoCounters CounterOverhead() {
    const IoCounters a = ReadIoCounters();
    const IoCounters b = ReadIoCounters();
    return {b.rchar - a.rchar, b.syscr - a.syscr};
}

void Print(const char* what, const Measurement& m, int files, const IoCounters& overhead) {
    const double bytes = static_cast<double>(m.io.rchar - overhead.rchar) / files;
    const double reads = static_cast<double>(m.io.syscr - overhead.syscr) / files;
    std::printf("%-38s %8.4f s  %9.0f files/s  %6.1f bytes read/file  %4.2f reads/file  %zu listed\n",
                what, m.seconds, files / m.seconds, bytes, reads, m.listed);
}

} // namespace

int main(int argc, char** argv) {
    tripdesk::UsePrivateFolders();   // before anything reads or writes under the home
    int files = 4000;
    int runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--files") files = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::string pattern = (fs::temp_directory_path() / "bench_scan.XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("bench_scan: mkdtemp");
        return 1;
    }
    const fs::path folder = pattern;
    WriteRecordings(folder, files);
    const std::string folderText = folder.string();
    std::printf("bench_scan: %d recordings of %u bytes (ftyp, mdat, moov) in %s\n", files,
                24 + kMediaBytes + 96, folderText.c_str());

    // Warm the cache: the first scan reads the folder and every candidate's headers.
    catalogue::ScanFolder(folderText, catalogue::RecordingKind::Infinity, 2);
    const IoCounters overhead = CounterOverhead();

    const Measurement listing = Measure(runs, [&] {
        std::size_t names = 0;
        for (const auto& entry : fs::directory_iterator(folder)) names += !entry.path().empty();
        return names;
    });
    const Measurement scan = Measure(runs, [&] {
        return catalogue::ScanFolder(folderText, catalogue::RecordingKind::Infinity, 2).size();
    });

    // The user's path: the window's folder choice, scan and 4000 new lines on the page.
    platform::SetFolderBrowserHook([&](const platform::FolderBrowseRequest&) -> std::optional<std::string> {
        return folderText;
    });
    const Measurement window = Measure(1, [&] {
        catalogue::FilesOpenPopup popup(0);
        popup.ShowForChannelMode(2);
        popup.item<QPushButton>(1245)->click();
        return static_cast<std::size_t>(popup.Page(catalogue::RecordingKind::Infinity).LineCount());
    });
    platform::SetFolderBrowserHook(nullptr);

    std::printf("warm cache, best of %d runs:\n", runs);
    Print("reference: listing the folder", listing, files, overhead);
    Print("scan (name rules + container check)", scan, files, overhead);
    Print("file-open window (build, choose, list)", window, files, overhead);
    std::printf("scan / listing: %.2f\n", scan.seconds / listing.seconds);
    std::printf("goal: %d files in < %.1f s: scan %.4f s (%.1f%% of the goal), window %.4f s -> %s\n",
                files, kGoalSeconds, scan.seconds, 100.0 * scan.seconds / kGoalSeconds, window.seconds,
                scan.seconds < kGoalSeconds && window.seconds < kGoalSeconds ? "met" : "NOT met");
    std::printf("container check reads at most three 8-byte box headers: %s\n",
                (scan.io.rchar - overhead.rchar) <= 24LL * files ? "yes" : "NO");

    std::error_code error;
    fs::remove_all(folder, error);
    return scan.listed == static_cast<std::size_t>(files) ? 0 : 1;
}

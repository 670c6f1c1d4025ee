// bench_viewer [--seconds N]
//
// The viewer's speed goals, measured on the real build/bin/tripdesk under its own Xvfb server,
// with its own temporary XDG folders (nothing of the user's is touched):
//  1. idle: CPU over N s after start-up with nothing playing (goal: below 0.01 of a core);
//  2. a 640x480 sample-card pair played through the main window for N s: CPU per second against
//     playerprobe's on the same files in the same run (goal: at most 2.5 x the library's own);
//  3. a 1920x1080 front with a 1280x720 rear: frames shown against frames due (goal: 99 %).
// The channel dialog is answered with xdotool ("2 Channel", then Enter). The viewer plays through
// its unattended-playback variable (TRIPDESK_AUTOPLAY) and traces every frame it is handed.

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "live_child.h"
#include "samplecard/card_plan.h"

namespace {

namespace fs = std::filesystem;
using bench::CountLines;
using bench::LiveChild;
using Clock = std::chrono::steady_clock;

constexpr int kRecordingSeconds = 14;   // longer than a measurement with its start-up
constexpr const char* kChannelDialogTitle = "^RDX4400 Viewer$";
constexpr int kTwoChannelX = 170;       // the "2 Channel" choice in the channel dialog
constexpr int kTwoChannelY = 96;

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "bench_viewer: %s\n", why.c_str());
    std::exit(1);
}

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

void Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The benchmark's own folders; removed at the end.
struct Workspace {
    fs::path root;
    std::vector<std::string> environment;  // XDG folders and the display, for every child

    Workspace() {
        char pattern[] = "/tmp/bench_viewer.XXXXXX";
        if (!::mkdtemp(pattern)) Fail("no temporary folder");
        root = pattern;
        for (const char* sub : {"config", "runtime", "data"}) fs::create_directory(root / sub);
        fs::permissions(root / "runtime", fs::perms::owner_all);
        environment = {"XDG_CONFIG_HOME=" + (root / "config").string(),
                       "XDG_RUNTIME_DIR=" + (root / "runtime").string(),
                       "XDG_DATA_HOME=" + (root / "data").string()};
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

// An Xvfb server of its own, on the first free display number from 90.
class VirtualDisplay {
public:
    VirtualDisplay() {
        for (int number = 90; number < 190; ++number) {
            const fs::path socket = "/tmp/.X11-unix/X" + std::to_string(number);
            if (fs::exists(socket) || fs::exists("/tmp/.X" + std::to_string(number) + "-lock")) continue;
            name_ = ":" + std::to_string(number);
            server_ = std::make_unique<LiveChild>(
                std::vector<std::string>{"Xvfb", name_, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
                std::vector<std::string>{});
            for (int wait = 0; wait < 100 && !fs::exists(socket); ++wait) Sleep(0.1);
            if (!fs::exists(socket)) Fail("Xvfb did not start");
            return;
        }
        Fail("no free display number");
    }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    std::unique_ptr<LiveChild> server_;
};

struct Pair {
    std::string front;
    std::string rear;
};

Pair MakeCard(const Workspace& work, const fs::path& folder, const samplecard::CardOptions& options,
              const std::string& sizeArguments) {
    const samplecard::CardPlan plan = samplecard::planCard(options);
    const auto recording = std::find_if(plan.recordings.begin(), plan.recordings.end(), [](const auto& r) {
        return r.role == samplecard::ChannelRole::Front && r.defect == samplecard::Defect::None && !r.pairMissing;
    });
    if (recording == plan.recordings.end()) Fail("the card has no complete pair");
    std::printf("making a sample card (%s) ...\n", sizeArguments.c_str());
    std::fflush(stdout);
    std::string command;
    for (const std::string& entry : work.environment) command += entry + " ";
    command += (ProgramFolder() / "samplecard").string() + " " + folder.string() + " " +
                                sizeArguments + " --seconds " + std::to_string(options.seconds) + " > /dev/null";
    if (std::system(command.c_str()) != 0) Fail("samplecard failed");
    return {(folder / recording->fileName).string(), (folder / recording->pairedFileName).string()};
}

std::vector<std::string> With(std::vector<std::string> environment, const std::vector<std::string>& more) {
    environment.insert(environment.end(), more.begin(), more.end());
    return environment;
}

// Starts tripdesk and chooses two channels in its channel dialog.
std::unique_ptr<LiveChild> StartViewer(const Workspace& work, const VirtualDisplay& display,
                                       const std::string& autoplay) {
    std::vector<std::string> extra{"DISPLAY=" + display.name()};
    if (!autoplay.empty()) extra.push_back("TRIPDESK_AUTOPLAY=" + autoplay);
    auto viewer = std::make_unique<LiveChild>(std::vector<std::string>{(ProgramFolder() / "tripdesk").string()},
                                              With(work.environment, extra));
    if (!viewer->running()) Fail("tripdesk did not start");
    const std::string answer =
        "DISPLAY=" + display.name() + " sh -c 'W=$(timeout 30 xdotool search --sync --name \"" +
        kChannelDialogTitle + "\" | head -n 1) && xdotool mousemove --window $W " + std::to_string(kTwoChannelX) +
        " " + std::to_string(kTwoChannelY) + " click 1 && sleep 0.3 && xdotool windowfocus --sync $W key Return'";
    if (std::system(answer.c_str()) != 0) Fail("the channel dialog could not be answered");
    return viewer;
}

struct Figures {
    double cpuPerSecond = 0;
    int frames = 0;
    double seconds = 0;
    double due() const { return seconds * samplecard::CardOptions::framesPerSecond; }
};

// Waits for the first frame line, lets playback settle for a second, then measures.
Figures MeasurePlayback(LiveChild& child, const std::string& framePrefix, double seconds) {
    const auto start = Clock::now();
    while (CountLines(child.output(), framePrefix) == 0) {
        if (Since(start) > 30) Fail("no frames within 30 s");
        Sleep(0.05);
    }
    Sleep(1.0);
    const double cpu0 = child.cpuSeconds();
    const int frames0 = CountLines(child.output(), framePrefix);
    const auto t0 = Clock::now();
    Sleep(seconds);
    Figures f;
    f.frames = CountLines(child.output(), framePrefix) - frames0;
    f.seconds = Since(t0);
    f.cpuPerSecond = (child.cpuSeconds() - cpu0) / f.seconds;
    return f;
}

Figures PlayInViewer(const Workspace& work, const VirtualDisplay& display, const Pair& pair, double seconds) {
    auto viewer = StartViewer(work, display, pair.front);
    return MeasurePlayback(*viewer, "####frame", seconds);
}

Figures PlayInProbe(const Workspace& work, const VirtualDisplay& display, const Pair& pair, double seconds) {
    LiveChild probe({(ProgramFolder() / "playerprobe").string(), "--main-window", pair.front, pair.rear},
                    With(work.environment, {"DISPLAY=" + display.name()}));
    return MeasurePlayback(probe, "6 ", seconds);
}

void PrintPair(const char* name, const Figures& viewer, const Figures& probe) {
    std::printf("%s\n"
                "  viewer:      CPU %.3f of a core, %d frames shown of %.0f due (%.1f %%)\n"
                "  playerprobe: CPU %.3f of a core, %d frames of %.0f due (%.1f %%)\n"
                "  CPU ratio viewer / library %.2f\n",
                name, viewer.cpuPerSecond, viewer.frames, viewer.due(), 100.0 * viewer.frames / viewer.due(),
                probe.cpuPerSecond, probe.frames, probe.due(), 100.0 * probe.frames / probe.due(),
                viewer.cpuPerSecond / probe.cpuPerSecond);
}

double ParseSeconds(int argc, char** argv) {
    if (argc == 1) return 10;
    int value = 0;
    const std::string text = argc == 3 ? argv[2] : "";
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (argc != 3 || std::string(argv[1]) != "--seconds" || error != std::errc() ||
        end != text.data() + text.size() || value < 1 || value > kRecordingSeconds - 3)
        Fail("usage: bench_viewer [--seconds 1..11]");
    return value;
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = ParseSeconds(argc, argv);
    Workspace work;
    samplecard::CardOptions small;
    small.seconds = kRecordingSeconds;
    samplecard::CardOptions large = small;
    large.width = 1920;
    large.height = 1080;
    large.rearWidth = 1280;
    large.rearHeight = 720;
    const Pair smallPair = MakeCard(work, work.root / "card-640x480", small, "--size 640x480");
    const Pair largePair = MakeCard(work, work.root / "card-1080p", large, "--size 1920x1080 --rear-size 1280x720");
    VirtualDisplay display;

    double idle = 0;
    {
        auto viewer = StartViewer(work, display, "");
        Sleep(4.0);  // the splash and the first paints
        const double cpu0 = viewer->cpuSeconds();
        const auto t0 = Clock::now();
        Sleep(seconds);
        idle = (viewer->cpuSeconds() - cpu0) / Since(t0);
    }
    const Figures smallViewer = PlayInViewer(work, display, smallPair, seconds);
    const Figures smallProbe = PlayInProbe(work, display, smallPair, seconds);
    const Figures largeViewer = PlayInViewer(work, display, largePair, seconds);
    const Figures largeProbe = PlayInProbe(work, display, largePair, seconds);

    std::printf("tripdesk under Xvfb, %.0f s per measurement\n", seconds);
    std::printf("idle: CPU %.4f of a core (goal < 0.01) %s\n", idle, idle < 0.01 ? "met" : "MISSED");
    PrintPair("640x480 pair:", smallViewer, smallProbe);
    const double ratio = smallViewer.cpuPerSecond / smallProbe.cpuPerSecond;
    std::printf("  goal: viewer at most 2.5 x the library's CPU %s\n", ratio <= 2.5 ? "met" : "MISSED");
    PrintPair("1920x1080 front with 1280x720 rear:", largeViewer, largeProbe);
    const double shown = largeViewer.frames / largeViewer.due();
    std::printf("  goal: at least 99 %% of the frames shown %s\n", shown >= 0.99 ? "met" : "MISSED");
    return 0;
}

// bench_player [--seconds N] [--runs N] [--card-folder DIR]
//
// The player library's speed goals, measured with playerprobe on sample-card recordings:
//  1. two-channel 1920x1080 decoding: playerprobe --benchmark against
//     "ffmpeg -i FRONT -i REAR -map 0:v -map 1:v -f null -" on the same files, one after the other
//     (goal: ratio >= 0.9);
//  2. time from "Velmo" starting to the first frame event on a 640x480 pair (goal < 300 ms);
//  3. real-time playback of a 640x480 pair: the largest difference between the two channels'
//     positions in one frame event (goal < one frame) and the CPU use (goal < half a core).
// The 1920x1080 card is kept in the card folder (made once, it takes a while).

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "probe_lines.h"
#include "samplecard/card_plan.h"
#include "private_folders.h"

namespace {

namespace fs = std::filesystem;
using bench::ParseProbeLines;
using bench::RunChild;

struct Settings {
    int seconds = 10;
    int runs = 3;
    fs::path cardFolder;
};

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "bench_player: %s\n", why.c_str());
    std::exit(1);
}

int Number(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) Fail("not a number: " + text);
    return value;
}

Settings ParseSettings(int argc, char** argv) {
    Settings settings;
    settings.cardFolder = ProgramFolder().parent_path() / "bench-player";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) Fail("usage: bench_player [--seconds N] [--runs N] [--card-folder DIR]");
        if (arg == "--seconds") settings.seconds = Number(argv[++i]);
        else if (arg == "--runs") settings.runs = Number(argv[++i]);
        else if (arg == "--card-folder") settings.cardFolder = argv[++i];
        else Fail("unknown option " + arg);
    }
    return settings;
}

struct Pair {
    std::string front;
    std::string rear;
};

// Makes the card (unless it is there) and picks its first complete continuous pair.
Pair SampleCardPair(const fs::path& folder, int width, int height, int seconds) {
    samplecard::CardOptions options;
    options.width = width;
    options.height = height;
    options.seconds = seconds;
    const samplecard::CardPlan plan = samplecard::planCard(options);
    const auto recording = std::find_if(plan.recordings.begin(), plan.recordings.end(), [](const auto& r) {
        return r.role == samplecard::ChannelRole::Front && r.defect == samplecard::Defect::None && !r.pairMissing;
    });
    if (recording == plan.recordings.end()) Fail("the card has no complete pair");
    const fs::path card = folder / ("card-" + std::to_string(width) + "x" + std::to_string(height) + "-" +
                                    std::to_string(seconds) + "s");
    const fs::path complete = card / ".complete";
    if (!fs::exists(complete)) {
        std::printf("making a %dx%d sample card in %s ...\n", width, height, card.c_str());
        std::fflush(stdout);
        fs::remove_all(card);
        const auto made = RunChild({(ProgramFolder() / "samplecard").string(), card.string(), "--size",
                                    std::to_string(width) + "x" + std::to_string(height), "--seconds",
                                    std::to_string(seconds)},
                                   true);
        if (!made || made->exitCode != 0) Fail("samplecard failed");
        std::FILE* marker = std::fopen(complete.c_str(), "w");
        if (marker) std::fclose(marker);
    }
    return {(card / recording->fileName).string(), (card / recording->pairedFileName).string()};
}

std::string Probe() { return (ProgramFolder() / "playerprobe").string(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int VideoPackets(const std::string& path) {
    const auto counted = RunChild({"ffprobe", "-v", "error", "-select_streams", "v:0", "-count_packets",
                                   "-show_entries", "stream=nb_read_packets", "-of", "csv=p=0", path});
    if (!counted || counted->exitCode != 0) Fail("ffprobe failed on " + path);
    return std::atoi(counted->output.c_str());
}

void DecodingAgainstFfmpeg(const Settings& settings) {
    const Pair pair = SampleCardPair(settings.cardFolder, 1920, 1080, settings.seconds);
    const int pictures = VideoPackets(pair.front) + VideoPackets(pair.rear);
    std::vector<double> probeFps, probeInnerFps, ffmpegFps, ratios;
    for (int run = 0; run < settings.runs; ++run) {
        const auto probe = RunChild({Probe(), "--benchmark", pair.front, pair.rear});
        if (!probe || probe->exitCode != 0) Fail("playerprobe --benchmark failed");
        const auto lines = ParseProbeLines(probe->output);
        const auto figures = std::find_if(lines.begin(), lines.end(), [](const auto& l) {
            return l.values.count("word") && l.values.at("word") == "benchmark";
        });
        if (figures == lines.end()) Fail("playerprobe printed no benchmark figures");
        const double decoded = figures->number("pictures1").value_or(0) + figures->number("pictures2").value_or(0);
        if (static_cast<int>(decoded) != pictures) Fail("playerprobe decoded " + std::to_string(decoded) + " of " +
                                                        std::to_string(pictures) + " pictures");
        const auto ffmpeg = RunChild({"ffmpeg", "-v", "error", "-nostdin", "-i", pair.front, "-i", pair.rear, "-map",
                                      "0:v", "-map", "1:v", "-f", "null", "-"});
        if (!ffmpeg || ffmpeg->exitCode != 0) Fail("ffmpeg failed");
        probeFps.push_back(pictures / probe->wallSeconds);
        probeInnerFps.push_back(figures->number("total_fps").value_or(0));
        ffmpegFps.push_back(pictures / ffmpeg->wallSeconds);
        ratios.push_back(probeFps.back() / ffmpegFps.back());
        std::printf("  run %d: playerprobe %.1f fps (%.1f from Velmo's start; channels %.1f + %.1f), ffmpeg %.1f fps\n",
                    run + 1, probeFps.back(), probeInnerFps.back(), figures->number("channel1_fps").value_or(0),
                    figures->number("channel2_fps").value_or(0), ffmpegFps.back());
    }
    const double ratio = Median(ratios);
    std::printf("1920x1080 two-channel decoding (%d pictures, median of %d runs, whole processes):\n"
                "  playerprobe --benchmark %.1f fps, ffmpeg %.1f fps, ratio %.2f (goal >= 0.90) %s\n",
                pictures, settings.runs, Median(probeFps), Median(ffmpegFps), ratio, ratio >= 0.9 ? "met" : "MISSED");
}

void RealTimePlayback(const Settings& settings) {
    const Pair pair = SampleCardPair(settings.cardFolder, 640, 480, 6);
    std::vector<double> firstFrames, cpuShares, worstSkews;
    double frameSeconds = 1.0 / samplecard::CardOptions::framesPerSecond;
    for (int run = 0; run < settings.runs; ++run) {
        const auto probe = RunChild({Probe(), "--main-window", "--times", "--quit-at-end", pair.front, pair.rear});
        if (!probe || probe->exitCode != 0) Fail("playerprobe failed");
        double firstFrame = -1;
        double worstSkew = 0;
        int frames = 0;
        for (const auto& line : ParseProbeLines(probe->output)) {
            if (line.code != 6) continue;
            ++frames;
            if (firstFrame < 0) firstFrame = line.number("t").value_or(-1);
            worstSkew = std::max(worstSkew, std::abs(line.number("pos1").value_or(0) - line.number("pos2").value_or(0)));
        }
        if (frames == 0) Fail("no frame events");
        firstFrames.push_back(firstFrame);
        worstSkews.push_back(worstSkew);
        cpuShares.push_back(probe->cpuSeconds / probe->wallSeconds);
        std::printf("  run %d: first frame %.0f ms, %d frame events, largest channel difference %.1f ms, "
                    "CPU %.2f s in %.2f s\n",
                    run + 1, firstFrame * 1000, frames, worstSkew * 1000, probe->cpuSeconds, probe->wallSeconds);
    }
    const double firstFrame = Median(firstFrames);
    const double skew = *std::max_element(worstSkews.begin(), worstSkews.end());
    const double cpu = Median(cpuShares);
    std::printf("640x480 two-channel real-time playback (%d runs of a 6 s pair with windows):\n"
                "  first frame event %.0f ms after Velmo started (goal < 300 ms) %s\n"
                "  largest position difference of the channels %.1f ms, one frame is %.1f ms %s\n"
                "  CPU use %.2f of a core (goal < 0.50) %s\n",
                settings.runs, firstFrame * 1000, firstFrame < 0.3 ? "met" : "MISSED", skew * 1000,
                frameSeconds * 1000, skew < frameSeconds ? "met" : "MISSED", cpu, cpu < 0.5 ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv) {
    tripdesk::UsePrivateFolders();   // before anything reads or writes under the home
    const Settings settings = ParseSettings(argc, argv);
    DecodingAgainstFfmpeg(settings);
    RealTimePlayback(settings);
    return 0;
}

// Measures the capture encoder against cjpeg on one picture (default: a 640 × 480 frame of a
// recording made by the sample-card generator in a private folder), and the adapter's copy of
// the two pictures of a frame. cjpeg runs as a process, so its times include starting it.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <QProcess>
#include <QString>

#include "bmp_file.h"
#include "capture/jpeg_encoder.h"
#include "jpeg_judge.h"
#include "player/frame_hand_over.h"
#include "private_folders.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kRuns = 20;

double MedianMs(const std::function<void()>& run, int runs = kRuns) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

std::optional<capture::testing::Picture24> SampleCardFrame(const fs::path& work) {
    const fs::path card = work / "card";
    QProcess generator;
    generator.start(QString::fromStdString((ProgramFolder() / "samplecard").string()),
                    {QString::fromStdString(card.string()), "--seconds", "2"});
    if (!generator.waitForFinished(600000) || generator.exitCode() != 0) return std::nullopt;
    for (const auto& entry : fs::recursive_directory_iterator(card))
        if (entry.path().filename().string().starts_with("drf2_") && entry.path().extension() == ".mp4")
            return capture::testing::RecordingFrame(entry.path().string(), 30);
    return std::nullopt;
}

int EncodeOne(const char* in, const char* out) {
    std::string reason;
    const auto picture = benchjpeg::ReadBmp(in, reason);
    if (!picture) {
        std::fprintf(stderr, "bench_jpeg: %s: %s\n", in, reason.c_str());
        return 1;
    }
    capture::JpegEncoder encoder;
    if (!encoder.SetImage(picture->Header(), picture->bytes.data(), picture->bytes.size()) ||
        !encoder.EncodeToFile(out)) {
        std::fprintf(stderr, "bench_jpeg: cannot write %s\n", out);
        return 1;
    }
    return 0;
}

double FrameCopyMicroseconds() {
    const std::size_t bytes = 640 * 480 * 4;
    std::vector<std::uint8_t> front(bytes, 1), rear(bytes, 2);
    player::FrameHandOver frames;
    const double ms = MedianMs([&] { frames.PublishPictures(front.data(), rear.data(), true, static_cast<int>(bytes)); }, 201);
    return ms * 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--encode") return EncodeOne(argv[2], argv[3]);
    if (argc > 2) {
        std::fprintf(stderr, "usage: bench_jpeg [PICTURE.bmp] | bench_jpeg --encode IN.bmp OUT.jpg\n");
        return 2;
    }
    tripdesk::UsePrivateFolders();
    const fs::path work = fs::temp_directory_path() / ("bench_jpeg-" + std::to_string(::getpid()));
    fs::create_directories(work);

    std::optional<capture::testing::Picture24> picture;
    std::string source;
    if (argc == 2) {
        std::string reason;
        picture = benchjpeg::ReadBmp(argv[1], reason);
        source = argv[1];
        if (!picture) std::fprintf(stderr, "bench_jpeg: %s: %s\n", argv[1], reason.c_str());
    } else {
        picture = SampleCardFrame(work);
        source = "a sample-card frame";
        if (!picture) std::fprintf(stderr, "bench_jpeg: no sample-card frame (samplecard or ffmpeg failed)\n");
    }
    if (!picture) return 1;
    const fs::path bmp = work / "picture.bmp";
    capture::testing::WriteBmp(*picture, bmp);
    std::printf("picture: %s, %d x %d\n", source.c_str(), picture->width, picture->height);

    capture::JpegEncoder encoder, plain(capture::DctForm::Plain);
    encoder.SetImage(picture->Header(), picture->bytes.data(), picture->bytes.size());
    plain.SetImage(picture->Header(), picture->bytes.data(), picture->bytes.size());
    const double oursMs = MedianMs([&] { (void)encoder.Encode(); });
    const double plainMs = MedianMs([&] { (void)plain.Encode(); });
    const bool identical = encoder.Encode() == plain.Encode();
    const fs::path ours = work / "ours.jpg";
    encoder.EncodeToFile(ours);

    const fs::path theirs = work / "cjpeg.jpg";
    bool cjpegRan = true;
    const double cjpegMs = MedianMs([&] {
        QProcess cjpeg;
        cjpeg.start("cjpeg", {"-quality", "50", "-sample", "1x1", "-outfile", QString::fromStdString(theirs.string()),
                              QString::fromStdString(bmp.string())});
        cjpegRan = cjpeg.waitForFinished(60000) && cjpeg.exitCode() == 0 && cjpegRan;
    });

    const auto oursDecoded = capture::testing::DecodeWithDjpeg(ours);
    const auto theirsDecoded = capture::testing::DecodeWithDjpeg(theirs);
    std::printf("%-28s %10s %9s %10s\n", "", "median ms", "bytes", "PSNR dB");
    std::printf("%-28s %10.2f %9ju %10.2f%s\n", "ours (side-by-side DCT)", oursMs,
                static_cast<std::uintmax_t>(fs::file_size(ours)), capture::testing::Psnr(*picture, oursDecoded),
                oursDecoded.clean ? "" : "  (djpeg warned)");
    std::printf("%-28s %10.2f   %s\n", "ours (plain DCT loop)", plainMs,
                identical ? "bytes identical" : "BYTES DIFFER");
    if (cjpegRan)
        std::printf("%-28s %10.2f %9ju %10.2f%s\n", "cjpeg -quality 50 -sample 1x1", cjpegMs,
                    static_cast<std::uintmax_t>(fs::file_size(theirs)), capture::testing::Psnr(*picture, theirsDecoded),
                    theirsDecoded.clean ? "" : "  (djpeg warned)");
    else
        std::printf("cjpeg did not run\n");
    if (cjpegRan) std::printf("time ratio ours / cjpeg: %.2f (goal: at most 10)\n", oursMs / cjpegMs);
    std::printf("frame copy, two 640 x 480 x 4 pictures: %.1f us per frame (median of 201)\n", FrameCopyMicroseconds());
    std::fflush(stdout);
    fs::remove_all(work);
    return 0;
}

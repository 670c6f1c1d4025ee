#include "picture_judge.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "contract/vexplayer_contract.h"

namespace vexplayer::testing {

namespace {

constexpr int kStep = 4;
constexpr int kVisibleStep = 48;

int Component(std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

} // namespace

PictureSample SamplePicture(const std::uint8_t* picture) {
    PictureSample sample;
    if (!picture) return sample;
    sample.reserve((kFrameWidth / kStep) * (kFrameHeight / kStep));
    for (int y = 0; y < kFrameHeight; y += kStep)
        for (int x = 0; x < kFrameWidth; x += kStep) {
            const std::uint8_t* p = picture + (y * kFrameWidth + x) * kFrameBytesPerPixel;
            sample.push_back(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16);
        }
    return sample;
}

PictureSample ReferenceSample(const std::string& path, int frameIndex) {
    const std::string command = "ffmpeg -v error -nostdin -i '" + path + "' -vf 'select=eq(n\\," +
                                std::to_string(frameIndex) + "),scale=" + std::to_string(kFrameWidth) + ":" +
                                std::to_string(kFrameHeight) +
                                "' -vsync 0 -frames:v 1 -pix_fmt bgra -f rawvideo - 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {};
    std::vector<std::uint8_t> picture(kFramePictureBytes);
    const std::size_t got = std::fread(picture.data(), 1, picture.size(), pipe);
    ::pclose(pipe);
    if (got != picture.size()) return {};
    return SamplePicture(picture.data());
}

int VisiblyDifferentPixels(const PictureSample& a, const PictureSample& b) {
    if (a.size() != b.size()) return static_cast<int>(std::max(a.size(), b.size()));
    int different = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (int shift : {0, 8, 16})
            if (std::abs(Component(a[i], shift) - Component(b[i], shift)) > kVisibleStep) {
                ++different;
                break;
            }
    return different;
}

bool AllBlack(const PictureSample& sample) {
    return !sample.empty() && std::all_of(sample.begin(), sample.end(), [](std::uint32_t p) { return p == 0; });
}

} // namespace vexplayer::testing

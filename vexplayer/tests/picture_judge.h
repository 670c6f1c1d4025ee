#pragma once
// Pictures judged against an outside decoder: ffmpeg renders a recording's frame the way the
// contract asks for it (640 x 480, bytes B, G, R, X), and pictures are compared on a sample grid.

#include <cstdint>
#include <string>
#include <vector>

namespace vexplayer::testing {

// Every 4th pixel of every 4th line of a contract picture (160 x 120 pixels).
using PictureSample = std::vector<std::uint32_t>;

PictureSample SamplePicture(const std::uint8_t* picture);
// Frame number frameIndex of a recording, decoded by the ffmpeg program; empty on failure.
PictureSample ReferenceSample(const std::string& path, int frameIndex);
// Sampled pixels whose colour differs by more than a visible step in any component.
int VisiblyDifferentPixels(const PictureSample& a, const PictureSample& b);
bool AllBlack(const PictureSample& sample);

} // namespace vexplayer::testing

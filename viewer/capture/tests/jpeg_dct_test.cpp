// The side-by-side DCT against the plain double loop: equal on every block of several pictures
// and of random sample blocks, and the same file bytes.
#include <gtest/gtest.h>

#include <algorithm>

#include "capture/jpeg_block.h"
#include "capture/jpeg_encoder.h"
#include "jpeg_judge.h"

namespace capture {
namespace {

TEST(JpegDct, SideBySideEqualsThePlainLoopOnEveryBlock) {
    std::uint32_t state = 99;
    auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    int blocks = 0;
    for (int n = 0; n < 20000; ++n) {
        jpeg::SampleBlock samples;
        // Full range, small values and constant blocks.
        const int range = n % 3 == 0 ? 256 : n % 3 == 1 ? 9 : 1;
        const int base = static_cast<int>(next() % 256) - 128;
        for (auto& s : samples)
            s = static_cast<std::int16_t>(std::clamp(base + static_cast<int>(next() % range) - range / 2, -128, 127));
        ASSERT_EQ(jpeg::ForwardDctSideBySide(samples), jpeg::ForwardDct(samples)) << "block " << n;
        ++blocks;
    }
    EXPECT_EQ(blocks, 20000);
}

TEST(JpegDct, BothFormsWriteTheSameFiles) {
    for (const auto& picture : {testing::GradientPicture(), testing::NoisePicture(200, 120, 5),
                                testing::BlankPicture(640, 480)}) {
        JpegEncoder plain(DctForm::Plain), fast(DctForm::SideBySide);
        ASSERT_TRUE(plain.SetImage(picture.Header(), picture.bytes.data(), picture.bytes.size()));
        ASSERT_TRUE(fast.SetImage(picture.Header(), picture.bytes.data(), picture.bytes.size()));
        EXPECT_EQ(plain.Encode(), fast.Encode()) << picture.width << " x " << picture.height;
    }
}

} // namespace
} // namespace capture

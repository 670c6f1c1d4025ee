// djpeg as the outside judge: every file decodes without a warning, to the expected pixels or
// close to the picture that was encoded.
#include <gtest/gtest.h>

#include "capture/jpeg_encoder.h"
#include "jpeg_judge.h"
#include "sample_card.h"
#include "test_folders.h"

namespace capture {
namespace {

namespace fs = std::filesystem;

testing::Decoded EncodeAndDecode(const testing::Picture24& picture, const std::string& name) {
    JpegEncoder encoder;
    EXPECT_TRUE(encoder.SetImage(picture.Header(), picture.bytes.data(), picture.bytes.size()));
    const fs::path path = tripdesk::test::ScratchFolder() / name;
    EXPECT_TRUE(encoder.EncodeToFile(path));
    testing::Decoded decoded = testing::DecodeWithDjpeg(path);
    EXPECT_TRUE(decoded.clean) << name << ": " << decoded.messages;
    EXPECT_EQ(decoded.width, picture.width);
    EXPECT_EQ(decoded.height, picture.height);
    return decoded;
}

// DC -63 × 16 = -1008 for a level of -126: every pixel decodes to 2, not 0.
TEST(JpegDjpeg, BlackDecodesToTwo) {
    const testing::Decoded decoded = EncodeAndDecode(testing::BlankPicture(640, 480), "black.jpg");
    ASSERT_EQ(decoded.rgb.size(), 640u * 480u * 3u);
    EXPECT_TRUE(std::all_of(decoded.rgb.begin(), decoded.rgb.end(), [](std::uint8_t v) { return v == 2; }));
}

TEST(JpegDjpeg, GradientAndNoiseDecodeCleanly) {
    const testing::Picture24 gradient = testing::GradientPicture();
    const double psnr = testing::Psnr(gradient, EncodeAndDecode(gradient, "gradient.jpg"));
    std::printf("gradient PSNR %.2f dB\n", psnr);
    EXPECT_GE(psnr, 31.0);
    const testing::Picture24 noise = testing::NoisePicture(100, 75, 3);
    EncodeAndDecode(noise, "noise.jpg");
}

TEST(JpegDjpeg, RowsKeepTheirOrder) {
    // Top half white, bottom half black: the top of the decoded picture must be white.
    testing::Picture24 picture = testing::BlankPicture(64, 64);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) std::fill_n(picture.At(x, y), 3, 255);
    const testing::Decoded decoded = EncodeAndDecode(picture, "halves.jpg");
    ASSERT_EQ(decoded.rgb.size(), 64u * 64u * 3u);
    EXPECT_GT(decoded.At(10, 5)[0], 240);
    EXPECT_LT(decoded.At(10, 58)[0], 15);
}

TEST(JpegDjpeg, SampleCardFrameKeepsItsPicture) {
    const auto& card = tripdesk::test::SampleCard::get();
    const auto frame = testing::RecordingFrame(card.path(card.front(0)), 30);
    ASSERT_TRUE(frame) << "ffmpeg gave no frame";
    const double psnr = testing::Psnr(*frame, EncodeAndDecode(*frame, "frame.jpg"));
    std::printf("sample-card frame PSNR %.2f dB\n", psnr);
    EXPECT_GE(psnr, 30.0);
}

} // namespace
} // namespace capture

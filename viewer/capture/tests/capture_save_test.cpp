// A frame picture as a packed 24-bit bitmap, and one channel saved as a JPEG judged by djpeg.
#include <gtest/gtest.h>

#include "capture/capture_save.h"
#include "capture/frame_bitmap.h"
#include "jpeg_judge.h"
#include "test_folders.h"

namespace capture {
namespace {

namespace fs = std::filesystem;

// 640 × 480 × 4 bytes, rows from the top: B = x mod 256, G = y mod 256, R = fill, unused 0xEE.
std::vector<std::uint8_t> FramePicture(std::uint8_t red) {
    std::vector<std::uint8_t> picture(640 * 480 * 4);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            std::uint8_t* p = &picture[(y * 640 + x) * 4];
            p[0] = static_cast<std::uint8_t>(x % 256);
            p[1] = static_cast<std::uint8_t>(y % 256);
            p[2] = red;
            p[3] = 0xee;
        }
    return picture;
}

TEST(FrameBitmap, HeaderAndRowsOfThePackedBitmap) {
    const auto bitmap = ToPackedBitmap(FramePicture(200));
    ASSERT_TRUE(bitmap);
    const BitmapHeader& h = bitmap->header;
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, 640);
    EXPECT_EQ(h.height, 480);
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.bitCount, 24);
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.imageSize, 921600u);
    EXPECT_EQ(h.xPelsPerMeter, 0);
    EXPECT_EQ(h.yPelsPerMeter, 0);
    EXPECT_EQ(h.colorsUsed, 0u);
    EXPECT_EQ(h.colorsImportant, 0u);
    ASSERT_EQ(bitmap->rows.size(), 921600u);
    // The first stored row is the picture's bottom row (y = 479), pixel x = 3 at bytes 9..11.
    EXPECT_EQ(bitmap->rows[9], 3);
    EXPECT_EQ(bitmap->rows[10], 479 % 256);
    EXPECT_EQ(bitmap->rows[11], 200);
    // The last stored row is the top one (y = 0); x = 639 at its end.
    const std::size_t top = 479 * 1920;
    EXPECT_EQ(bitmap->rows[top + 639 * 3 + 0], 639 % 256);
    EXPECT_EQ(bitmap->rows[top + 639 * 3 + 1], 0);
    EXPECT_EQ(bitmap->rows[top + 639 * 3 + 2], 200);
}

TEST(FrameBitmap, OnlyAFullFramePictureIsConverted) {
    EXPECT_FALSE(ToPackedBitmap({}));
    std::vector<std::uint8_t> picture = FramePicture(0);
    picture.pop_back();
    EXPECT_FALSE(ToPackedBitmap(picture));
    picture.resize(640 * 480 * 4 + 4);
    EXPECT_FALSE(ToPackedBitmap(picture));
    EXPECT_FALSE(ToPackedBitmap(std::vector<std::uint8_t>(640 * 480 * 3)));
}

class CaptureSaveTest : public ::testing::Test {
protected:
    fs::path folder = tripdesk::test::FreshFolder("save");
    std::string Folder() const { return folder.string() + "/"; }
    static int RedAt(const fs::path& jpeg, int x, int y) {
        const testing::Decoded decoded = testing::DecodeWithDjpeg(jpeg);
        EXPECT_TRUE(decoded.clean) << decoded.messages;
        EXPECT_EQ(decoded.width, 640);
        EXPECT_EQ(decoded.height, 480);
        return decoded.rgb.empty() ? -1 : decoded.At(x, y)[0];
    }
};

TEST_F(CaptureSaveTest, FrontAndRearGoToTheirNames) {
    CaptureFrames frames{FramePicture(40), FramePicture(220), 640 * 480 * 4, "drf2_20240102_030405_0125.jpg", true};
    ASSERT_TRUE(SaveChannel(frames, CaptureSource::Front, Folder()));
    ASSERT_TRUE(SaveChannel(frames, CaptureSource::Rear, Folder()));
    EXPECT_NEAR(RedAt(folder / "drf2_20240102_030405_0125.jpg", 320, 4), 40, 8);
    EXPECT_NEAR(RedAt(folder / "drf1_20240102_030405_0125.jpg", 320, 4), 220, 8);
}

TEST_F(CaptureSaveTest, OneChannelRearSavesTheOnePicture) {
    CaptureFrames frames{FramePicture(90), {}, 640 * 480 * 4, "_0007.jpg"};
    ASSERT_TRUE(SaveChannel(frames, CaptureSource::Rear, Folder()));
    EXPECT_NEAR(RedAt(folder / "_0007.jpg", 100, 100), 90, 8);
}

// Before the rear camera's first picture a rear capture fails: the front picture under the rear
// name would be a wrong file.
TEST_F(CaptureSaveTest, TwoChannelRearWithoutARearPictureWritesNothing) {
    CaptureFrames frames{FramePicture(90), {}, 640 * 480 * 4, "drf2_20240102_030405_0125.jpg", true};
    EXPECT_FALSE(SaveChannel(frames, CaptureSource::Rear, Folder()));
    EXPECT_TRUE(fs::is_empty(folder));
    ASSERT_TRUE(SaveChannel(frames, CaptureSource::Front, Folder()));
    EXPECT_TRUE(fs::exists(folder / "drf2_20240102_030405_0125.jpg"));
}

TEST_F(CaptureSaveTest, NoFullPictureOrNoFolderWritesNothing) {
    CaptureFrames frames{{}, {}, 0, "drf2_x_0001.jpg"};
    EXPECT_FALSE(SaveChannel(frames, CaptureSource::Front, Folder()));
    frames.front = std::vector<std::uint8_t>(1000, 1);
    EXPECT_FALSE(SaveChannel(frames, CaptureSource::Front, Folder()));
    EXPECT_TRUE(fs::is_empty(folder));
    frames.front = FramePicture(1);
    EXPECT_FALSE(SaveChannel(frames, CaptureSource::Front, Folder() + "missing/"));
    EXPECT_TRUE(fs::is_empty(folder));
}

} // namespace
} // namespace capture

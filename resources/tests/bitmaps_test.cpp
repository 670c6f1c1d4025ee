// Every skin bitmap the viewer loads: present, at the size its window relies on, 24-bit, and
// drawn (not blank, pressed looks differ, distinct pictures for distinct meanings).
#include <QIcon>
#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "resources/resources.h"

namespace {

struct BitmapSize {
    int id;
    int width;
    int height;
};

// The sizes the windows draw and place these bitmaps with.
constexpr BitmapSize kViewerBitmaps[] = {
    {130, 1020, 780}, {322, 440, 300},
    {131, 40, 40}, {132, 40, 40}, {133, 40, 40}, {134, 40, 40}, {135, 40, 40},
    {136, 40, 40}, {137, 40, 40}, {138, 40, 40}, {139, 40, 40},
    {141, 45, 25}, {142, 45, 25}, {143, 45, 25}, {144, 45, 25},
    {149, 35, 36}, {151, 35, 36}, {313, 35, 36}, {314, 35, 36}, {235, 35, 36}, {237, 35, 36},
    {157, 35, 36}, {159, 35, 36}, {294, 35, 36},
    {160, 40, 40}, {162, 40, 40}, {166, 40, 40}, {168, 40, 40}, {169, 40, 40}, {171, 40, 40},
    {172, 40, 40}, {174, 40, 40}, {175, 40, 40}, {177, 40, 40},
    {315, 40, 40}, {316, 40, 40}, {317, 40, 40}, {318, 40, 40},
    {178, 105, 22}, {180, 105, 22}, {264, 74, 22}, {265, 74, 22}, {188, 29, 29}, {190, 29, 29},
    {181, 5, 8}, {182, 1, 8}, {183, 5, 8}, {184, 33, 20}, {193, 25, 20}, {194, 23, 20},
    {306, 213, 42}, {307, 390, 20}, {308, 146, 256}, {309, 393, 164}, {320, 75, 45}, {321, 170, 40},
    {243, 15, 31}, {244, 15, 31}, {245, 15, 31}, {246, 15, 31}, {247, 15, 31},
    {248, 15, 31}, {249, 15, 31}, {250, 15, 31}, {251, 15, 31}, {252, 15, 31},
    {195, 14, 14}, {196, 14, 14}, {197, 14, 14}, {302, 14, 14}, {205, 15, 13}, {206, 15, 13},
    {207, 45, 25}, {209, 45, 25}, {293, 86, 29},
    {resources::kBitmapSelectFolder, 120, 27}, {resources::kBitmapSelectFolder + 1, 120, 27},
    {resources::kBitmapCaptureAction, 86, 29}, {resources::kBitmapCaptureAction + 1, 86, 29},
    {resources::kBitmapSaveAction, 86, 29}, {resources::kBitmapSaveAction + 1, 86, 29},
    {resources::kBitmapExitAction, 86, 29}, {resources::kBitmapExitAction + 1, 86, 29},
    {resources::kBitmapOkAction, 86, 29}, {resources::kBitmapOkAction + 1, 86, 29},
    {resources::kBitmapGsensorSliderTrack, 300, 20}, {resources::kBitmapVolumeSliderTrack, 290, 20},
    {resources::kBitmapTickBox, 25, 25}, {resources::kBitmapTickBoxTicked, 25, 25},
    {resources::kBitmapSliderLeftCap, 5, 8}, {resources::kBitmapSliderFill, 1, 8},
    {resources::kBitmapSliderRightCap, 5, 8}, {resources::kBitmapSliderThumb, 33, 20},
};

// Normal and pressed looks of every two-state button.
constexpr std::pair<int, int> kButtonLooks[] = {
    {141, 142}, {143, 144}, {149, 151}, {313, 314}, {235, 237}, {157, 159}, {160, 162}, {166, 168},
    {169, 171}, {172, 174}, {175, 177}, {178, 180}, {188, 190}, {315, 316}, {317, 318}, {264, 265},
    {207, 209}, {330, 331}, {332, 333}, {334, 335}, {336, 337}, {340, 341}, {342, 343},
};

int Luma(QRgb pixel) {
    return qGray(pixel);
}

int LumaRange(const QImage& image) {
    int lo = 255, hi = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int l = Luma(image.pixel(x, y));
            lo = std::min(lo, l);
            hi = std::max(hi, l);
        }
    }
    return hi - lo;
}

TEST(SkinBitmaps, EveryViewerBitmapIs24BitAtItsSize) {
    for (const BitmapSize& expected : kViewerBitmaps) {
        SCOPED_TRACE(expected.id);
        ASSERT_TRUE(resources::HasBitmap(expected.id));
        const QImage image = resources::Bitmap(expected.id);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(expected.width, expected.height));
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_FALSE(image.hasAlphaChannel());
    }
}

TEST(SkinBitmaps, UnknownIdsGiveNullImages) {
    for (int id : {0, -1, 128, 129, 140, 208, 999, 100000}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(resources::HasBitmap(id));
        EXPECT_TRUE(resources::Bitmap(id).isNull());
    }
}

TEST(SkinBitmaps, CopiesAreIndependentOfTheEmbeddedPicture) {
    QImage first = resources::Bitmap(172);
    const QRgb original = first.pixel(20, 20);
    first.fill(Qt::red);
    EXPECT_EQ(resources::Bitmap(172).pixel(20, 20), original);
}

TEST(SkinBitmaps, ButtonsHaveVisibleGlyphsAndADistinctPressedLook) {
    for (const auto& [normal, pressed] : kButtonLooks) {
        SCOPED_TRACE(normal);
        const QImage up = resources::Bitmap(normal);
        const QImage down = resources::Bitmap(pressed);
        EXPECT_GT(LumaRange(up), 80);
        EXPECT_GT(LumaRange(down), 80);
        EXPECT_NE(up, down);
    }
}

TEST(SkinBitmaps, ButtonsOfOneSizeShowDifferentPictures) {
    std::vector<int> normals;
    for (const auto& look : kButtonLooks) normals.push_back(look.first);
    normals.push_back(294);
    for (std::size_t i = 0; i < normals.size(); ++i) {
        for (std::size_t j = i + 1; j < normals.size(); ++j) {
            const QImage a = resources::Bitmap(normals[i]);
            const QImage b = resources::Bitmap(normals[j]);
            if (a.size() == b.size()) {
                EXPECT_NE(a, b) << normals[i] << " and " << normals[j];
            }
        }
    }
}

TEST(SkinBitmaps, KindIconsAndDigitsAreAllDifferent) {
    const std::vector<int> groups[] = {{195, 196, 197, 302}, {243, 244, 245, 246, 247, 248, 249, 250, 251, 252},
                                       {131, 132, 133, 134, 135, 136, 137, 138, 139}, {205, 206}};
    for (const auto& ids : groups) {
        for (std::size_t i = 0; i < ids.size(); ++i)
            for (std::size_t j = i + 1; j < ids.size(); ++j)
                EXPECT_NE(resources::Bitmap(ids[i]), resources::Bitmap(ids[j])) << ids[i] << " and " << ids[j];
    }
}

TEST(SkinBitmaps, DigitEightLightsMoreThanDigitOne) {
    auto lit = [](const QImage& digit) {
        int count = 0;
        for (int y = 0; y < digit.height(); ++y)
            for (int x = 0; x < digit.width(); ++x) count += Luma(digit.pixel(x, y)) > 128;
        return count;
    };
    EXPECT_GT(lit(resources::Bitmap(251)), lit(resources::Bitmap(244)) * 2);
    EXPECT_GT(lit(resources::Bitmap(244)), 20);
}

TEST(SkinBitmaps, AppIconHasLargeAndSmallSizes) {
    const QIcon icon = resources::AppIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
}

} // namespace

// The pieces fit the window they are drawn on: buttons and telemetry backgrounds blend with the
// window skin at their places, the areas that code draws into are clear, and the main window
// template puts each bitmap button where its bitmaps fit.
#include <QImage>
#include <QRect>
#include <gtest/gtest.h>

#include "resources/resources.h"

namespace {

struct PlacedButton {
    int controlId;
    int normal;
    int pressed;
    QRect rect;
};

// The main window's button table after the splash.
const PlacedButton kButtonTable[] = {
    {1001, 143, 144, {905, 1, 45, 25}},   {1002, 141, 142, {950, 1, 45, 25}},
    {1004, 149, 151, {866, 47, 35, 36}},  {1013, 313, 314, {825, 47, 35, 36}},
    {1049, 235, 237, {907, 47, 35, 36}},  {1008, 294, 294, {740, 47, 35, 36}},
    {1006, 157, 159, {953, 47, 35, 36}},  {1007, 160, 162, {52, 531, 40, 40}},
    {1009, 166, 168, {129, 531, 40, 40}}, {1010, 169, 171, {206, 531, 40, 40}},
    {1011, 172, 174, {283, 531, 40, 40}}, {1012, 175, 177, {360, 531, 40, 40}},
    {1241, 178, 180, {881, 525, 105, 22}}, {1014, 188, 190, {544, 719, 29, 29}},
    {1015, 315, 316, {720, 470, 40, 40}}, {1016, 317, 318, {600, 470, 40, 40}},
    {1072, 264, 265, {804, 525, 74, 22}},
};

struct PlacedPiece {
    int id;
    QPoint at;   // where its top-left pixel lands in the window
};

// Telemetry backgrounds (the volume bar's at x 2 of its control) and the title.
const PlacedPiece kTelemetryPieces[] = {
    {306, {795, 473}}, {307, {28, 480}}, {308, {437, 456}}, {309, {28, 592}}, {321, {435, 0}},
};

QImage Skin() {
    return resources::Bitmap(130);
}

bool AllPixels(const QImage& image, const QRect& area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != colour) return false;
    return true;
}

int LumaRange(const QImage& image, const QRect& area) {
    int lo = 255, hi = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            lo = std::min(lo, qGray(image.pixel(x, y)));
            hi = std::max(hi, qGray(image.pixel(x, y)));
        }
    }
    return hi - lo;
}

TEST(WindowSkin, VideoAreasAreBlack) {
    const QImage skin = Skin();
    EXPECT_TRUE(AllPixels(skin, QRect(24, 88, 480, 360), qRgb(0, 0, 0)));
    EXPECT_TRUE(AllPixels(skin, QRect(514, 88, 480, 360), qRgb(0, 0, 0)));
    // The frames around them are not black, so the areas read as screens.
    EXPECT_NE(skin.pixel(20, 87), qRgb(0, 0, 0));
}

TEST(WindowSkin, AreasThatCodeDrawsIntoAreClear) {
    const QImage skin = Skin();
    // List rows, header band and title line: one flat colour each, drawn over by code.
    const QRgb list = skin.pixel(604, 577);
    EXPECT_TRUE(AllPixels(skin, QRect(604, 577, 383, 177), list));
    EXPECT_TRUE(AllPixels(skin, QRect(604, 550, 384, 26), skin.pixel(604, 550)));
    EXPECT_LT(LumaRange(skin, QRect(25, 55, 290, 25)), 6);
    // Clip times are written white on black, latitude and longitude on (44, 44, 44).
    EXPECT_TRUE(AllPixels(skin, QRect(265, 503, 143, 18), qRgb(0, 0, 0)));
    EXPECT_TRUE(AllPixels(skin, QRect(444, 716, 96, 33), qRgb(44, 44, 44)));
    // The notice line at y 756 from x 360 finds nothing to fight with.
    EXPECT_LT(LumaRange(skin, QRect(360, 758, 300, 16)), 12);
}

TEST(WindowSkin, CaptionBandCarriesTheProductName) {
    EXPECT_GT(LumaRange(Skin(), QRect(0, 0, 300, 35)), 80);
    EXPECT_GT(LumaRange(resources::Bitmap(321), QRect(0, 0, 170, 35)), 150);
}

TEST(WindowSkin, ButtonsBlendWithTheSkinAtTheirPlaces) {
    const QImage skin = Skin();
    for (const PlacedButton& button : kButtonTable) {
        SCOPED_TRACE(button.controlId);
        EXPECT_EQ(resources::Bitmap(button.pressed).size(), button.rect.size());
        // Held caption buttons fill their whole rectangle; the normal looks all blend.
        const QImage look = resources::Bitmap(button.normal);
        ASSERT_EQ(look.size(), button.rect.size());
        EXPECT_EQ(look.pixel(0, 0), skin.pixel(button.rect.topLeft()));
        EXPECT_EQ(look.pixel(look.width() - 1, 0), skin.pixel(button.rect.topRight()));
    }
}

TEST(WindowSkin, CloseButtonAlsoBlendsWithTheSplash) {
    const QImage splash = resources::Bitmap(322);
    EXPECT_EQ(resources::Bitmap(141).pixel(0, 0), splash.pixel(390, 0));
    EXPECT_EQ(resources::Bitmap(141).pixel(44, 23), splash.pixel(434, 23));
}

TEST(WindowSkin, TelemetryBackgroundsBlendAtTheirPlaces) {
    const QImage skin = Skin();
    for (const PlacedPiece& piece : kTelemetryPieces) {
        SCOPED_TRACE(piece.id);
        const QImage image = resources::Bitmap(piece.id);
        EXPECT_EQ(image.pixel(0, 0), skin.pixel(piece.at));
        const QPoint last(image.width() - 1, image.height() - 1);
        EXPECT_EQ(image.pixel(last), skin.pixel(piece.at + last));
    }
}

TEST(WindowSkin, SpeedLabelBackgroundRestoresWithoutASeam) {
    // Code restores (660, 480), 50 x 30 from bitmap 320 before writing the speed label.
    EXPECT_EQ(resources::Bitmap(320).copy(0, 0, 50, 30), Skin().copy(660, 480, 50, 30));
}

TEST(WindowSkin, SpeedDigitsSitInTheGpsPanelWell) {
    const QImage panel = resources::Bitmap(308);
    for (int digit = 243; digit <= 252; ++digit) {
        const QImage image = resources::Bitmap(digit);
        EXPECT_EQ(image.pixel(0, 0), panel.pixel(51, 41)) << digit;
        EXPECT_EQ(image.pixel(14, 30), panel.pixel(95, 71)) << digit;
    }
}

TEST(Splash, SpinnerFramesBlendWithTheSplashAtTheirPlace) {
    const QImage splash = resources::Bitmap(322);
    for (int frame = 131; frame <= 139; ++frame) {
        const QImage image = resources::Bitmap(frame);
        SCOPED_TRACE(frame);
        for (const QPoint corner : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 39), QPoint(39, 39)})
            EXPECT_EQ(image.pixel(corner), splash.pixel(QPoint(199, 198) + corner));
    }
}

TEST(MainWindowTemplate, BitmapButtonsSitAtTheButtonTableRectangles) {
    const platform::DialogTemplate& main = resources::Dialog(102);
    for (const PlacedButton& button : kButtonTable) {
        SCOPED_TRACE(button.controlId);
        const auto found = std::find_if(main.controls.begin(), main.controls.end(),
                                        [&](const auto& c) { return c.id == button.controlId; });
        ASSERT_NE(found, main.controls.end());
        EXPECT_EQ(found->kind, platform::ControlKind::BitmapButton);
        EXPECT_EQ(QRect(found->x, found->y, found->width, found->height), button.rect);
    }
}

TEST(SettingsWindow, SliderPiecesSitOnItsBlackWhereTheBarPiecesSitOnTheWindow) {
    // The bars' caps and thumb carry the window's card colour in their corners; the settings
    // window's own pieces carry black, and the same lit face.
    struct Piece {
        int bar, slider;
        QPoint roundCorner;
    };
    const Piece pieces[] = {{181, resources::kBitmapSliderLeftCap, {0, 0}},
                            {183, resources::kBitmapSliderRightCap, {4, 7}},
                            {184, resources::kBitmapSliderThumb, {32, 0}}};
    for (const Piece& piece : pieces) {
        SCOPED_TRACE(piece.slider);
        const QImage onWindow = resources::Bitmap(piece.bar);
        const QImage onBlack = resources::Bitmap(piece.slider);
        ASSERT_EQ(onBlack.size(), onWindow.size());
        EXPECT_NE(onWindow.pixel(piece.roundCorner), qRgb(0, 0, 0));
        EXPECT_EQ(onBlack.pixel(piece.roundCorner), qRgb(0, 0, 0));
        const QPoint centre(onBlack.width() / 2, onBlack.height() / 2);
        EXPECT_EQ(onBlack.pixel(centre), onWindow.pixel(centre));
        EXPECT_GT(qGray(onBlack.pixel(centre)), 120);
    }
    EXPECT_EQ(resources::Bitmap(resources::kBitmapSliderFill), resources::Bitmap(182)) << "a full column, no corner";
}

TEST(SettingsWindowTemplate, TheCaptureSourceButtonsStandBesideTheirCaptions) {
    // Value 0 (1084, the front picture) beside "Front" at x 54, value 1 beside "Rear" at x 184.
    const platform::DialogTemplate& settings = resources::Dialog(106);
    const auto place = [&](int id) {
        const auto found = std::find_if(settings.controls.begin(), settings.controls.end(),
                                        [&](const auto& c) { return c.id == id; });
        return found == settings.controls.end() ? QRect() : QRect(found->x, found->y, found->width, found->height);
    };
    EXPECT_EQ(place(1084), QRect(26, 151, 20, 20));
    EXPECT_EQ(place(1085), QRect(141, 151, 20, 20));
}

} // namespace

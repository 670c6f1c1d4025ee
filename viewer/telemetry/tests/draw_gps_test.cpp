#include <QPainter>
#include <QWidget>
#include <climits>

#include <gtest/gtest.h>

#include "control_pictures.h"
#include "platform/fonts.h"
#include "platform/gdi.h"
#include "resources/resources.h"
#include "telemetry/draw_gps.h"

namespace telemetry {
namespace {

using testing::CountColour;
using testing::Render;
using testing::ShowsImage;

const QColor kNeedle(120, 255, 255);
constexpr QPoint kCentre(73, 192);

class DrawGpsTest : public ::testing::Test {
protected:
    void SetUp() override { panel.SetBitmap(background, 437, 456); }

    const QImage background = resources::Bitmap(308);
    CDrawGps panel;
};

TEST_F(DrawGpsTest, SpeedDigitsShowTheirPictures) {
    ASSERT_EQ(background.size(), QSize(146, 256));
    const QImage zero = resources::Bitmap(243);
    const QImage three = resources::Bitmap(246);
    const QImage nine = resources::Bitmap(252);
    ASSERT_NE(zero, three);
    ASSERT_NE(three, nine);
    QImage picture = Render(panel);
    for (int x : {51, 66, 81}) EXPECT_TRUE(ShowsImage(picture, {x, 41}, zero)) << x;

    panel.SetSpeedDigits(0, 3, 9);
    picture = Render(panel);
    EXPECT_TRUE(ShowsImage(picture, {51, 41}, zero));
    EXPECT_TRUE(ShowsImage(picture, {66, 41}, three));
    EXPECT_TRUE(ShowsImage(picture, {81, 41}, nine));

    // No picture for a value that is not a digit.
    panel.SetSpeedDigits(10, -1, 9);
    picture = Render(panel);
    EXPECT_TRUE(testing::ShowsRegion(picture, {51, 41}, background, {51, 41, 30, 31}));
    EXPECT_TRUE(ShowsImage(picture, {81, 41}, nine));
}

TEST_F(DrawGpsTest, NeedlePointsAlongTheCourse) {
    ASSERT_EQ(CountColour(background, background.rect(), kNeedle), 0);
    struct Case {
        int course;
        int x, y;   // offsets as the decoder gives them
        QPoint tip;
    };
    const Case cases[] = {
        {0, 0, 22, {73, 170}}, {84, 22, 0, {95, 192}}, {90, 22, 0, {95, 192}},
        {180, 0, -22, {73, 214}}, {270, -22, 0, {51, 192}}, {45, 15, 15, {88, 177}},
    };
    for (const Case& c : cases) {
        panel.SetHeading(c.course, c.x, c.y);
        const QImage picture = Render(panel);
        const QPoint direction = (c.tip - kCentre) / 22;
        EXPECT_EQ(picture.pixel(kCentre), kNeedle.rgb()) << c.course;
        EXPECT_EQ(picture.pixel(c.tip), kNeedle.rgb()) << c.course;
        EXPECT_EQ(picture.pixel(c.tip - direction * 11), kNeedle.rgb()) << c.course;
        EXPECT_NE(picture.pixel(c.tip + direction * 3), kNeedle.rgb()) << c.course;
        EXPECT_NE(picture.pixel(kCentre - direction * 3), kNeedle.rgb()) << c.course;
    }
    for (int course : {400, 361, -1}) {
        panel.SetHeading(course, 22, 0);
        EXPECT_EQ(CountColour(Render(panel), background.rect(), kNeedle), 0) << course;
    }
    // Offsets no decoder gives are drawn without harm.
    panel.SetHeading(10, INT_MAX, INT_MIN);
    EXPECT_GT(CountColour(Render(panel), background.rect(), kNeedle), 0);
}

TEST_F(DrawGpsTest, PositionTextsArePaddedAndWrittenBelowThePanel) {
    panel.SetPositionText("5.000000", "");
    EXPECT_EQ(panel.LatitudeText(), "005.000000");
    EXPECT_EQ(panel.LongitudeText(), "          ");

    QWidget mainWindow;
    CDrawGps child(&mainWindow);
    child.SetBitmap(background, 437, 456);
    QImage skin(1020, 780, QImage::Format_RGB32);
    skin.fill(QColor(90, 10, 10));
    QImage backBuffer = skin;
    auto update = [&] {
        QPainter painter(&backBuffer);
        return child.UpdateParentTexts(painter, skin);
    };
    auto expected = [&](const char* latitude, const char* longitude) {
        QImage image = skin;
        QPainter painter(&image);
        painter.setFont(platform::WinFont("Tahoma", 11.6));
        painter.setPen(Qt::white);
        platform::TextOutOpaque(painter, 437 + 9, 456 + 256 + 4, latitude, QColor(44, 44, 44));
        platform::TextOutOpaque(painter, 437 + 9, 456 + 256 + 21, longitude, QColor(44, 44, 44));
        return image;
    };

    child.SetPositionText("-33.868820", "-151.212100");
    const QRect wide = update();
    EXPECT_EQ(backBuffer, expected("-033.868820", "-151.212100"));
    EXPECT_GT(CountColour(backBuffer, {446, 716, 80, 14}, Qt::white), 20);
    EXPECT_GT(CountColour(backBuffer, {446, 733, 80, 14}, QColor(44, 44, 44)), 20);
    EXPECT_GE(wide.top(), 456 + 256);

    // A narrower text leaves nothing of the wider one behind.
    child.SetPositionText("37.552057", "126.992797");
    EXPECT_TRUE(update().contains(wide));
    EXPECT_EQ(backBuffer, expected("037.552057", "126.992797"));
}

} // namespace
} // namespace telemetry

// The information window on the offscreen platform: placement, its picture (title, rule and the
// four centred lines), the close button, and keys that cannot close it.

#include <gtest/gtest.h>

#include <cstdlib>

#include "gui_support.h"
#include "platform/bitmap_button.h"
#include "platform/messages.h"
#include "popup_pixels.h"
#include "settings/info_popup.h"

namespace settings {
namespace {

using test::BoundsOf;
using test::Exactly;
using test::Inside;
using test::IsWhiteInk;

constexpr QRgb kGreen = qRgb(175, 245, 95);
constexpr QRgb kGrey = qRgb(150, 150, 150);
constexpr QRgb kRule = qRgb(40, 40, 40);

// Equal margins left and right of the ink, give or take the glyphs' side bearings.
bool Centred(const QRect& ink) { return !ink.isEmpty() && std::abs(ink.left() - (371 - ink.right())) <= 6; }

bool IsGreyInk(QRgb p) { return qGray(p) > 60; }

TEST(InfoPopupTest, ShowsBelowTheOwnersTitleAndHidesByItsCloseButton) {
    InfoPopup info;
    EXPECT_FALSE(info.isVisible());
    info.Place(100, 50);
    info.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
    EXPECT_EQ(info.geometry(), QRect(424, 313, 372, 254));

    // The top 35 pixels drag the window.
    EXPECT_EQ(platform::SendMessage(info.hwnd(), platform::WM_NCHITTEST, 0, platform::MAKELPARAM(600, 313 + 34)),
              platform::HTCAPTION);
    EXPECT_EQ(platform::SendMessage(info.hwnd(), platform::WM_NCHITTEST, 0, platform::MAKELPARAM(600, 313 + 35)),
              platform::HTCLIENT);

    using tripdesk::test::PressKey;
    PressKey(&info, Qt::Key_Return);
    PressKey(&info, Qt::Key_Escape);
    PressKey(&info, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(info.isVisible());

    platform::BitmapButton* close = info.bitmapButton(InfoPopup::kCloseButtonId);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->geometry(), QRect(320, 0, 45, 25));
    close->Click();
    EXPECT_FALSE(info.isVisible());

    // The next request places it from the owner position it is given.
    info.Place(0, 0);
    info.show();
    EXPECT_TRUE(info.isVisible());
    EXPECT_EQ(info.pos(), QPoint(324, 263));
    info.hide();
}

TEST(InfoPopupTest, PictureHasTheTitleRuleAndFourCentredLines) {
    InfoPopup info;
    const QImage& picture = info.picture();
    ASSERT_EQ(picture.size(), QSize(372, 254));
    EXPECT_EQ(picture.pixel(0, 0) & 0xFFFFFF, kGrey & 0xFFFFFF);
    EXPECT_EQ(picture.pixel(371, 253) & 0xFFFFFF, kGrey & 0xFFFFFF);
    EXPECT_EQ(QColor(picture.pixel(1, 1)), QColor(Qt::black));

    // "Info" in light green from (16, 9), nowhere else.
    const QRect title = BoundsOf(picture, picture.rect(), Exactly(kGreen));
    ASSERT_FALSE(title.isEmpty());
    EXPECT_GE(title.left(), 16);
    EXPECT_LE(title.left(), 19);
    EXPECT_GE(title.top(), 9);
    EXPECT_LT(title.bottom(), 39);
    EXPECT_LT(title.right(), 80);

    // Two rows of dark grey from column 11 up to, not including, 361.
    EXPECT_EQ(BoundsOf(picture, QRect(0, 30, 372, 30), Exactly(kRule)), QRect(11, 39, 350, 2));

    // White: string 103 from y 104 and string 106 from y 121, centred across the window.
    const QRect white = BoundsOf(picture, Inside(picture), IsWhiteInk);
    ASSERT_FALSE(white.isEmpty());
    EXPECT_GE(white.top(), 104);
    EXPECT_LE(white.top(), 110);
    EXPECT_GE(white.bottom(), 121 + 8);
    EXPECT_LT(white.bottom(), 121 + 28);
    const QRect firstLine = BoundsOf(picture, QRect(1, 104, 370, 12), IsWhiteInk);
    const QRect secondLine = BoundsOf(picture, QRect(1, 132, 370, 12), IsWhiteInk);
    EXPECT_TRUE(Centred(firstLine)) << firstLine.left() << ".." << firstLine.right();
    EXPECT_TRUE(Centred(secondLine)) << secondLine.left() << ".." << secondLine.right();

    // Grey: the maker lines from y 190 and 220, centred.
    for (int y : {190, 220}) {
        const QRect line = BoundsOf(picture, QRect(1, y, 370, 28), Exactly(kGrey));
        ASSERT_FALSE(line.isEmpty()) << y;
        EXPECT_LE(line.top(), y + 6) << y;
        const QRect ink = BoundsOf(picture, QRect(1, y, 370, 28), IsGreyInk);
        EXPECT_TRUE(Centred(ink)) << y << ": " << ink.left() << ".." << ink.right();
    }

    // What the screen shows is the picture, with the close button over it.
    info.Place(0, 0);
    info.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
    const QImage screen = info.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen.copy(0, 30, 372, 224), picture.copy(0, 30, 372, 224));
    info.hide();
}

} // namespace
} // namespace settings

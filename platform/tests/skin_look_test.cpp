// The standard controls under the skin's look: dark faces with light texts, and a checked radio
// whose mark shows. Pictures on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "platform/skin_look.h"

namespace platform {
namespace {

int Lightness(QRgb pixel) { return QColor(pixel).lightness(); }

// The lightness of the lightest and darkest pixel of a picture.
std::pair<int, int> LightnessRange(const QImage& picture) {
    int lightest = 0, darkest = 255;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            lightest = std::max(lightest, Lightness(picture.pixel(x, y)));
            darkest = std::min(darkest, Lightness(picture.pixel(x, y)));
        }
    return {lightest, darkest};
}

class SkinLookTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ApplySkinLook(*qApp); }
};

TEST_F(SkinLookTest, AMessageBoxIsDarkWithLightText) {
    QMessageBox box(QMessageBox::NoIcon, "TripDesk", "The file Clockfix.exe does not exist.", QMessageBox::Ok);
    box.show();
    const QImage picture = box.grab().toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_LT(Lightness(picture.pixel(2, 2)), 60) << "face";
    EXPECT_GT(LightnessRange(picture).first, 180) << "text";
}

TEST_F(SkinLookTest, ListsAndEditBoxesAreDarkWithLightText) {
    QListWidget list;
    list.resize(200, 100);
    list.addItem("20110512_093015");
    QLineEdit edit("/media/card");
    edit.resize(200, 24);
    for (QWidget* w : {static_cast<QWidget*>(&list), static_cast<QWidget*>(&edit)}) {
        w->show();
        const QImage picture = w->grab().toImage();
        EXPECT_LT(Lightness(picture.pixel(picture.width() - 6, picture.height() / 2)), 60) << "base";
        EXPECT_GT(LightnessRange(picture).first, 180) << "text";
    }
}

TEST_F(SkinLookTest, ACheckedRadioShowsItsMark) {
    QRadioButton checked("1 Channel"), unchecked("2 Channel");
    checked.setChecked(true);
    QImage pictures[2];
    QRadioButton* buttons[2] = {&checked, &unchecked};
    for (int i = 0; i < 2; ++i) {
        buttons[i]->resize(120, 24);
        buttons[i]->show();
        pictures[i] = buttons[i]->grab().toImage();
    }
    QStyleOptionButton option;
    option.initFrom(&checked);
    const QPoint mark = checked.style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, &checked).center();
    const int markLightness = Lightness(pictures[0].pixel(mark));
    const int emptyLightness = Lightness(pictures[1].pixel(mark));
    EXPECT_LT(emptyLightness, 60) << "an empty mark is dark";
    EXPECT_GT(markLightness, emptyLightness + 100) << "the checked mark stands out";
}

} // namespace
} // namespace platform

#include <QPainter>
#include <QWidget>
#include <climits>
#include <functional>
#include <map>

#include <QApplication>

#include <gtest/gtest.h>

#include "control_pictures.h"
#include "platform/fonts.h"
#include "platform/gdi.h"
#include "resources/resources.h"
#include "telemetry/clip_time_source.h"
#include "telemetry/draw_progress_bar.h"
#include "telemetry/draw_title.h"
#include "telemetry/draw_volume_bar.h"

namespace telemetry {
namespace {

using testing::kUntouched;
using testing::Render;
using testing::ShowsImage;
using testing::ShowsRegion;

// The main window's side of the clip times.
class ClipClock : public QWidget, public ClipTimeSource {
public:
    bool GetClipTimes(int* length, int* position) override {
        if (!length || !position || !known) return false;
        *length = lengthSeconds;
        *position = positionSeconds;
        return true;
    }
    bool known = true;
    int lengthSeconds = 0;
    int positionSeconds = 0;
};

struct Pieces {
    QImage leftCap = resources::Bitmap(181);
    QImage fill = resources::Bitmap(182);
    QImage rightCap = resources::Bitmap(183);
};

TEST(DrawCtrlBaseTest, SetBitmapPlacesTheControlAndANullBitmapReleasesIt) {
    QWidget parent;
    CDrawTitle title(&parent);
    const QImage bitmap = resources::Bitmap(321);
    ASSERT_EQ(bitmap.size(), QSize(170, 40));
    title.SetBitmap(bitmap, 435, 0);
    EXPECT_EQ(title.geometry(), QRect(435, 0, 170, 40));
    EXPECT_TRUE(title.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(ShowsImage(Render(title), {0, 0}, bitmap));

    title.SetBitmap(QImage(), 10, 10);
    EXPECT_FALSE(title.HasBitmap());
    EXPECT_EQ(title.pos(), QPoint(435, 0));  // stops before moving
    const QImage picture = Render(title, {170, 40});
    EXPECT_EQ(testing::CountColour(picture, picture.rect(), kUntouched), 170 * 40);
}

TEST(DrawProgressBarTest, EmptyAndFullBar) {
    CDrawProgressBar bar;
    const QImage background = resources::Bitmap(307);
    const QImage thumb = resources::Bitmap(184);
    const Pieces pieces;
    bar.SetBitmap(background, 28, 480);
    ASSERT_EQ(bar.size(), QSize(390, 20));
    ASSERT_FALSE(ShowsRegion(background, {40, 7}, pieces.fill, pieces.fill.rect()));

    // The thumb's last row falls below the 20-pixel control.
    const QRect thumbShown(0, 0, 33, 19);
    QImage picture = Render(bar);
    EXPECT_TRUE(ShowsRegion(picture, {5, 1}, thumb, thumbShown));
    EXPECT_TRUE(ShowsRegion(picture, {2, 7}, pieces.leftCap, {0, 0, 3, 8}));  // left of the thumb
    EXPECT_TRUE(ShowsRegion(picture, {40, 0}, background, {40, 0, 342, 20})); // no fill
    EXPECT_TRUE(ShowsRegion(picture, {382, 7}, background, {382, 7, 5, 8}));  // no right cap

    ASSERT_TRUE(bar.SetPosition(CDrawProgressBar::kFullPosition));
    picture = Render(bar);
    EXPECT_TRUE(ShowsRegion(picture, {350, 1}, thumb, thumbShown));
    for (int x = 7; x < 350; ++x) ASSERT_TRUE(ShowsImage(picture, {x, 7}, pieces.fill)) << x;
    EXPECT_TRUE(ShowsRegion(picture, {383, 7}, pieces.rightCap, {1, 0, 4, 8}));  // right of the thumb

    ASSERT_TRUE(bar.SetPosition(344));
    EXPECT_TRUE(ShowsRegion(Render(bar), {383, 7}, background, {383, 7, 4, 8}));
}

TEST(DrawProgressBarTest, RefusesNegativePositionsAndSurvivesHugeOnes) {
    CDrawProgressBar bar;
    bar.SetBitmap(resources::Bitmap(307), 28, 480);
    ASSERT_TRUE(bar.SetPosition(120));
    EXPECT_FALSE(bar.SetPosition(-1));
    EXPECT_FALSE(bar.SetPosition(INT_MIN));
    EXPECT_EQ(bar.GetPosition(), 120);
    // Beyond the control: the fill runs to its edge and no thumb is drawn.
    ASSERT_TRUE(bar.SetPosition(INT_MAX));
    const QImage picture = Render(bar);
    EXPECT_TRUE(ShowsImage(picture, {389, 7}, Pieces().fill));
    EXPECT_TRUE(ShowsRegion(picture, {0, 0}, resources::Bitmap(307), {0, 0, 2, 20}));
}

class ClipTimesTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin.fill(QColor(20, 60, 30));
        backBuffer = skin;
        bar.SetBitmap(resources::Bitmap(307), 28, 480);
        bar.SetShowTime(true);
    }

    QRect Update() {
        QPainter painter(&backBuffer);
        return bar.UpdateParentTexts(painter, skin);
    }

    // The skin with the two texts written as GDI writes them, at main-window coordinates.
    QImage Expected(const char* positionText, const char* lengthText) const {
        QImage expected = skin;
        QPainter painter(&expected);
        painter.setFont(platform::WinFont("Tahoma", 11.6));
        painter.setPen(Qt::white);
        platform::TextOutOpaque(painter, 28 + 239, 480 + 24, positionText, Qt::black);
        platform::TextOutOpaque(painter, 28 + 304, 480 + 24, lengthText, Qt::black);
        return expected;
    }

    QImage skin{1020, 780, QImage::Format_RGB32};
    QImage backBuffer;
    ClipClock clock;
    CDrawProgressBar bar{&clock};
};

TEST_F(ClipTimesTest, WrittenBelowTheBarInTheMainWindow) {
    clock.lengthSeconds = 75;
    clock.positionSeconds = 61;
    const QRect changed = Update();
    EXPECT_EQ(backBuffer, Expected("00:01:01 ", "/00:01:15"));
    EXPECT_NE(backBuffer, Expected("00:01:02 ", "/00:01:15"));
    const QRect firstCell(267, 504, 40, 12);
    EXPECT_GT(testing::CountLight(backBuffer, firstCell), 40);
    EXPECT_GT(testing::CountColour(backBuffer, firstCell, Qt::black), 20);
    EXPECT_TRUE(changed.contains(QRect(267, 504, 110, 12))) << changed.x() << "," << changed.width();
    EXPECT_GE(changed.top(), 500);  // nothing over the bar itself

    clock.positionSeconds = -3;
    clock.lengthSeconds = 3599;
    Update();
    EXPECT_EQ(backBuffer, Expected("00:00:00 ", "/00:59:59"));
}

TEST_F(ClipTimesTest, UnchangedTimesAskForNoRepaint) {
    clock.lengthSeconds = 75;
    clock.positionSeconds = 61;
    const QRect shown = Update();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(Update().isEmpty());
    EXPECT_EQ(backBuffer, Expected("00:01:01 ", "/00:01:15"));
    clock.positionSeconds = 62;
    EXPECT_FALSE(Update().isEmpty());
    EXPECT_EQ(backBuffer, Expected("00:01:02 ", "/00:01:15"));
}

TEST_F(ClipTimesTest, NoTextsWithoutAWholeSecondTheFlagOrTheTimes) {
    clock.lengthSeconds = 75;
    clock.positionSeconds = 61;
    const QRect shown = Update();
    clock.lengthSeconds = 0;
    EXPECT_EQ(Update(), shown);  // the old texts are erased
    EXPECT_EQ(backBuffer, skin);
    EXPECT_TRUE(Update().isEmpty());

    clock.lengthSeconds = 75;
    bar.SetShowTime(false);
    Update();
    EXPECT_EQ(backBuffer, skin);
    bar.SetShowTime(true);
    clock.known = false;
    Update();
    EXPECT_EQ(backBuffer, skin);
    // A parent that keeps no clip times.
    QWidget plainParent;
    CDrawProgressBar orphan(&plainParent);
    orphan.SetBitmap(resources::Bitmap(307), 28, 480);
    orphan.SetShowTime(true);
    QPainter painter(&backBuffer);
    EXPECT_TRUE(orphan.UpdateParentTexts(painter, skin).isEmpty());
    painter.end();
    EXPECT_EQ(backBuffer, skin);
}

// Counts paint events of the watched widgets.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints[watched];
        return false;
    }
    std::map<QObject*, int> paints;
};

int PaintsAfter(PaintCounter& counter, QObject* watched, const std::function<void()>& change) {
    counter.paints.clear();
    change();
    QApplication::processEvents();
    QApplication::processEvents();
    return counter.paints[watched];
}

TEST(DrawnControlsRepaint, OnlyAChangedValueRepaintsAndOnlyTheControl) {
    QWidget window;
    window.resize(1020, 780);
    CDrawProgressBar bar(&window);
    CDrawVolumeBar volume(&window);
    bar.SetBitmap(resources::Bitmap(307), 28, 480);
    volume.SetBitmap(resources::Bitmap(306), 793, 473);
    window.show();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();  // the first paints
    PaintCounter counter;
    for (QObject* watched : {static_cast<QObject*>(&window), static_cast<QObject*>(&bar),
                             static_cast<QObject*>(&volume)})
        watched->installEventFilter(&counter);

    EXPECT_GE(PaintsAfter(counter, &bar, [&] { bar.SetPosition(100); }), 1);
    EXPECT_EQ(counter.paints[&window], 0);  // an opaque control leaves its parent alone
    EXPECT_EQ(PaintsAfter(counter, &bar, [&] { bar.SetPosition(100); }), 0);
    EXPECT_EQ(counter.paints[&window], 0);
    EXPECT_GE(PaintsAfter(counter, &volume, [&] { volume.SetLevel(40); }), 1);
    EXPECT_EQ(PaintsAfter(counter, &volume, [&] { volume.SetLevel(40); }), 0);
    EXPECT_EQ(counter.paints[&window], 0);
    // The volume bar leaves its first two columns to the parent; the others cover themselves.
    EXPECT_FALSE(volume.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_TRUE(bar.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(DrawVolumeBarTest, SilentAndFullLevels) {
    CDrawVolumeBar bar;
    const QImage background = resources::Bitmap(306);
    const QImage speaker = resources::Bitmap(193);
    const QImage thumb = resources::Bitmap(194);
    const Pieces pieces;
    bar.SetBitmap(background, 793, 473);
    ASSERT_EQ(bar.size(), QSize(213, 42));

    QImage picture = Render(bar);
    EXPECT_TRUE(ShowsRegion(picture, {2, 0}, background, {0, 0, 211, 8}));  // moved right by 2
    EXPECT_EQ(picture.pixel(0, 0), kUntouched.rgb());
    EXPECT_TRUE(ShowsImage(picture, {0, 8}, speaker));
    EXPECT_TRUE(ShowsImage(picture, {26, 14}, pieces.leftCap));
    EXPECT_TRUE(ShowsImage(picture, {31, 8}, thumb));
    EXPECT_TRUE(ShowsRegion(picture, {60, 14}, background, {58, 14, 140, 8}));  // no fill, no cap

    ASSERT_TRUE(bar.SetLevel(CDrawVolumeBar::kFullLevel));
    picture = Render(bar);
    for (int x = 31; x < 166; ++x) ASSERT_TRUE(ShowsImage(picture, {x, 14}, pieces.fill)) << x;
    EXPECT_TRUE(ShowsImage(picture, {166, 8}, thumb));
    EXPECT_TRUE(ShowsRegion(picture, {189, 14}, pieces.rightCap, {1, 0, 4, 8}));

    EXPECT_FALSE(bar.SetLevel(-1));
    EXPECT_EQ(bar.GetLevel(), CDrawVolumeBar::kFullLevel);

    bar.SetBitmap(QImage(), 0, 0);
    picture = Render(bar, {213, 42});
    EXPECT_EQ(testing::CountColour(picture, picture.rect(), kUntouched), 213 * 42);
}

} // namespace
} // namespace telemetry

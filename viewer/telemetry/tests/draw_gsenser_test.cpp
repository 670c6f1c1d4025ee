#include <QWidget>

#include <gtest/gtest.h>

#include "control_pictures.h"
#include "resources/resources.h"
#include "telemetry/draw_gsenser.h"

namespace telemetry {
namespace {

using testing::CountColour;
using testing::Render;

const QColor kXColour(255, 0, 110);
const QColor kYColour(135, 255, 0);
const QColor kZTrace(0, 255, 255);
const QColor kZText(0, 225, 255);
constexpr GSensorSample kLevel{0.0f, 1.0f, -2.0f};  // rows 80, 58 and 123

const QRect kPlot(75, 7, 281, 122);

class DrawGSenserTest : public ::testing::Test {
protected:
    void SetUp() override { graph.SetBitmap(background, 28, 592); }

    // One picture of the player: a sample handed over, then the paint that follows it.
    QImage Show(std::optional<GSensorSample> sample, bool noUserData = false) {
        graph.SetSample(sample, noUserData);
        return Render(graph);
    }

    bool OnlyBackground(const QImage& picture) const { return picture == background; }

    int ChangedPixels(const QImage& picture, QRect area) const {
        int changed = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) changed += picture.pixel(x, y) != background.pixel(x, y);
        return changed;
    }

    const QImage background = resources::Bitmap(309);
    CDrawGSenser graph;
};

TEST_F(DrawGSenserTest, TracesRunAtTheRowsOfTheirValues) {
    ASSERT_EQ(background.size(), QSize(393, 164));
    for (const QColor& colour : {kXColour, kYColour, kZTrace}) ASSERT_EQ(CountColour(background, kPlot, colour), 0);
    QImage picture;
    for (int i = 0; i < 10; ++i) picture = Show(kLevel);
    // The tenth picture shows the nine points stored before it: x 75, then 77 to 84.
    for (int x = 76; x <= 84; ++x) {
        EXPECT_EQ(picture.pixel(x, 80), kXColour.rgb()) << x;
        EXPECT_EQ(picture.pixel(x, 58), kYColour.rgb()) << x;
        EXPECT_EQ(picture.pixel(x, 123), kZTrace.rgb()) << x;
    }
    // Only the three rows carry the traces.
    EXPECT_EQ(CountColour(picture, kPlot, kXColour), 10);
    EXPECT_EQ(CountColour(picture, kPlot, kYColour), 10);
    EXPECT_EQ(CountColour(picture, kPlot, kZTrace), 10);
    EXPECT_EQ(picture.pixel(85, 80), background.pixel(85, 80));

    // The values are written under the plot in their colours.
    EXPECT_GT(CountColour(picture, {75, 138, 100, 20}, kXColour), 0);
    EXPECT_GT(CountColour(picture, {187, 138, 100, 20}, kYColour), 0);
    EXPECT_GT(CountColour(picture, {310, 138, 83, 20}, kZText), 0);
    EXPECT_GT(ChangedPixels(picture, {75, 138, 318, 20}), 100);
    // A different value writes a different text.
    const QImage other = Show(GSensorSample{-0.5f, 1.0f, -2.0f});
    EXPECT_NE(other.copy(75, 138, 100, 20), picture.copy(75, 138, 100, 20));
    EXPECT_EQ(other.copy(187, 138, 200, 20), picture.copy(187, 138, 200, 20));
}

TEST_F(DrawGSenserTest, TheNewestSegmentShowsAtOnceOnlyAtEveryTenthPoint) {
    QImage picture;
    for (int i = 0; i < 10; ++i) picture = Show(kLevel);
    ASSERT_EQ(graph.Trace().points(Axis::X).size(), 10u);  // x 75, 77 .. 85
    // Ten points stored: the eleventh picture shows the stored trace to 85 and the new segment
    // to 86 at once.
    picture = Show(kLevel);
    EXPECT_EQ(CountColour(picture, kPlot, kXColour), 12);
    EXPECT_EQ(picture.pixel(86, 80), kXColour.rgb());
    EXPECT_EQ(picture.pixel(86, 123), kZTrace.rgb());
    // Eleven stored: the twelfth shows the same 75 .. 86, its own segment waits for the next.
    picture = Show(kLevel);
    EXPECT_EQ(CountColour(picture, kPlot, kXColour), 12);
    EXPECT_EQ(picture.pixel(87, 80), background.pixel(87, 80));
    for (int i = 0; i < 8; ++i) picture = Show(kLevel);
    EXPECT_EQ(CountColour(picture, kPlot, kXColour), 20);  // 75 .. 94, 20 points stored before
    picture = Show(kLevel);
    EXPECT_EQ(CountColour(picture, kPlot, kXColour), 22);  // 75 .. 96 with the newest segment
}

TEST_F(DrawGSenserTest, OutOfRangeSamplesAndFilesWithoutUserDataShowOnlyTheBackground) {
    Show(kLevel);
    Show(kLevel);
    for (const GSensorSample& bad : {GSensorSample{0.0f, 2.01f, 0.0f}, GSensorSample{-2.5f, 0.0f, 0.0f}}) {
        const int tick = graph.Trace().tick();
        EXPECT_TRUE(OnlyBackground(Show(bad)));
        EXPECT_EQ(graph.Trace().tick(), tick + 1);
    }
    EXPECT_TRUE(OnlyBackground(Show(std::nullopt)));
    EXPECT_TRUE(OnlyBackground(Show(kLevel, true)));
    EXPECT_EQ(graph.Trace().tick(), 6);
    // Both ends of the range are drawable.
    EXPECT_FALSE(OnlyBackground(Show(GSensorSample{2.0f, -2.0f, 0.0f})));
}

TEST_F(DrawGSenserTest, AFullPlotIsDrawnToItsRightEdgeBeforeItRestarts) {
    QImage picture;
    for (int i = 0; i < 279; ++i) picture = Show(kLevel);
    EXPECT_EQ(picture.pixel(353, 80), kXColour.rgb());
    EXPECT_EQ(picture.pixel(354, 80), background.pixel(354, 80));
    // The 280th sample reaches x 355: its picture shows the whole trace, then the traces restart.
    picture = Show(kLevel);
    EXPECT_EQ(picture.pixel(354, 80), kXColour.rgb());
    EXPECT_EQ(picture.pixel(200, 58), kYColour.rgb());
    EXPECT_EQ(graph.Trace().points(Axis::X), (std::vector<TracePoint>{{75, 80}}));
    picture = Show(kLevel);
    EXPECT_EQ(CountColour(picture, kPlot, kXColour), 0);  // a single point: no segment yet
    EXPECT_EQ(picture.pixel(200, 58), background.pixel(200, 58));
    picture = Show(kLevel);
    EXPECT_EQ(CountColour(picture, kPlot, kXColour), 3);  // 75..77
    EXPECT_EQ(picture.pixel(77, 80), kXColour.rgb());
}

TEST_F(DrawGSenserTest, ResetTraceClearsAndTheNextSampleStartsAtTheLeft) {
    for (int i = 0; i < 50; ++i) Show(kLevel);  // the X trace stands at (125, 80)
    graph.ResetTrace();
    QImage picture = Render(graph);
    EXPECT_EQ(CountColour(picture, kPlot, kXColour), 0);
    // No points stored: nothing joins the new point to where the old traces stood.
    picture = Show(GSensorSample{1.0f, 1.0f, 1.0f});
    EXPECT_EQ(CountColour(picture, kPlot, kXColour), 0);
    EXPECT_EQ(graph.Trace().points(Axis::X), (std::vector<TracePoint>{{75, 58}}));
    picture = Show(kLevel);
    EXPECT_EQ(CountColour(picture, kPlot, kXColour), 0);
    picture = Show(kLevel);
    EXPECT_GT(CountColour(picture, {75, 58, 3, 23}, kXColour), 10);  // (75, 58) down to (77, 80)
    EXPECT_EQ(picture.pixel(77, 80), kXColour.rgb());
    EXPECT_EQ(CountColour(picture, {78, 7, 278, 122}, kXColour), 0);
}

TEST_F(DrawGSenserTest, RepaintsWithoutANewSampleDoNotAdvance) {
    QWidget window;
    window.resize(1020, 780);
    graph.setParent(&window);
    graph.SetBitmap(background, 28, 592);
    window.show();

    graph.SetSample(kLevel, false);
    const QImage first = graph.grab().toImage();
    EXPECT_EQ(graph.Trace().tick(), 1);
    graph.SetSample(GSensorSample{0.5f, 1.0f, -2.0f}, false);
    const QImage second = graph.grab().toImage();
    EXPECT_EQ(graph.Trace().tick(), 2);
    // Uncovering, moving, direct draws: the same picture, no step.
    EXPECT_EQ(graph.grab().toImage(), second);
    graph.repaint();
    Render(graph);
    EXPECT_EQ(graph.Trace().tick(), 2);
    EXPECT_EQ(graph.Trace().points(Axis::X).size(), 2u);
    EXPECT_NE(first, second);
    graph.setParent(nullptr);
}

} // namespace
} // namespace telemetry

// Painting of the started main window: an idle window paints nothing, and a change repaints
// exactly the areas it touched.

#include <QPaintEvent>
#include <QRegion>

#include "main_window_harness.h"
#include "telemetry/draw_gps.h"

namespace shell::test {
namespace {

// Counts the paint events of a window and all its children, and keeps the top window's regions.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& top) : top_(top) {
        top.installEventFilter(this);
        for (QWidget* child : top.findChildren<QWidget*>()) child->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (watched == &top_) topRegion += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
    void Reset() {
        paints = 0;
        topRegion = QRegion();
    }
    int paints = 0;
    QRegion topRegion;

private:
    QWidget& top_;
};

void ProcessEventsFor(std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
}

QRegion Areas(std::initializer_list<QRect> rects) {
    QRegion region;
    for (const QRect& r : rects) region += r;
    return region;
}

using PaintingTest = ShellTest;

TEST_F(PaintingTest, AnIdleWindowPaintsNothing) {
    MainWindowHarness ui;
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ProcessEventsFor(std::chrono::milliseconds(300));  // the window settles
    PaintCounter counter(ui.dialog);
    ProcessEventsFor(std::chrono::milliseconds(700));
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(PaintingTest, ChangesRepaintTheirAreasOnly) {
    MainWindowHarness ui;
    ProcessEventsFor(std::chrono::milliseconds(300));
    PaintCounter counter(ui.dialog);

    // Adding repaints the rows with the scroll bar and the title area (25, 55), 265 x 25.
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    ProcessEventsFor(std::chrono::milliseconds(200));
    EXPECT_EQ(counter.topRegion, Areas({QRect(604, 577, 382, 176), QRect(25, 55, 265, 25)}));

    // A new speed repaints the GPS panel alone: it is opaque, the main window below stays.
    counter.Reset();
    ui.dialog.gpsPanel()->SetSpeedDigits(0, 4, 2);
    ProcessEventsFor(std::chrono::milliseconds(200));
    EXPECT_GE(counter.paints, 1);
    EXPECT_TRUE(counter.topRegion.isEmpty());

    // The same speed again repaints nothing.
    counter.Reset();
    ui.dialog.gpsPanel()->SetSpeedDigits(0, 4, 2);
    ProcessEventsFor(std::chrono::milliseconds(200));
    EXPECT_EQ(counter.paints, 0);
}

} // namespace
} // namespace shell::test

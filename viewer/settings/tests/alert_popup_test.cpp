// The alert window on the offscreen platform: placement from the owner position, the four
// messages at their places, the wait through the platform clock, and keys that cannot close it.

#include <gtest/gtest.h>

#include <QEvent>
#include <vector>

#include "gui_support.h"
#include "platform/clock.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "popup_pixels.h"
#include "settings/alert_popup.h"

namespace settings {
namespace {

using test::BoundsOf;
using test::Inside;
using test::IsWhiteInk;

// Notes every paint of the window: whether it was visible and the clock at that moment.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget& window) : window_(window) { window.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) paints.push_back({window_.isVisible(), platform::TickCount()});
        return false;
    }
    struct Paint {
        bool visible;
        std::uint64_t tick;
    };
    std::vector<Paint> paints;

private:
    QWidget& window_;
};

class AlertPopupTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetClockFastForward(true); }
    void TearDown() override { platform::SetClockFastForward(false); }

    // Shows alert number and returns how long the clock says it stood.
    std::uint64_t ShowTimed(int number, int ownerX = 100, int ownerY = 50) {
        const std::uint64_t before = platform::TickCount();
        alert.Show(number, ownerX, ownerY);
        return platform::TickCount() - before;
    }

    AlertPopupDlg alert;
};

TEST_F(AlertPopupTest, StandsBesideTheOwnerForItsTimeThenHides) {
    EXPECT_FALSE(alert.isVisible());
    PaintLog log(alert);
    const std::uint64_t before = platform::TickCount();
    const std::uint64_t shown = ShowTimed(4, 100, 50);

    EXPECT_EQ(alert.pos(), QPoint(474, 343));
    EXPECT_EQ(alert.size(), QSize(272, 194));
    EXPECT_FALSE(alert.isVisible());
    EXPECT_EQ(alert.Number(), 4);
    // The fast-forwarded clock moves by the sleep; the slack only covers real time spent drawing.
    EXPECT_GE(shown, AlertPopupDlg::kShowMilliseconds);
    EXPECT_LT(shown, AlertPopupDlg::kShowMilliseconds + 1000);
    // Drawn while visible and before the wait: no message is handled during it.
    ASSERT_FALSE(log.paints.empty());
    EXPECT_TRUE(log.paints.front().visible);
    EXPECT_LT(log.paints.front().tick - before, AlertPopupDlg::kShowMilliseconds);
}

// Notes the messages it handles and whether the alert was on screen then.
class MessageLog : public platform::Window {
public:
    explicit MessageLog(const QWidget& alert) : alert_(alert) {}
    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override {
        if (msg == kMessage) handledWhileShown.push_back(alert_.isVisible());
        return platform::Window::WindowProc(msg, wParam, lParam);
    }
    static constexpr platform::UINT kMessage = platform::WM_USER + 40;
    std::vector<bool> handledWhileShown;

private:
    const QWidget& alert_;
};

TEST_F(AlertPopupTest, MessagesQueuedBeforeTheAlertWaitUntilItHides) {
    MessageLog window(alert);
    ASSERT_TRUE(platform::PostMessage(window.hwnd(), MessageLog::kMessage, 0, 0));
    ASSERT_TRUE(platform::PostMessage(window.hwnd(), MessageLog::kMessage, 1, 0));
    const std::uint64_t shown = ShowTimed(3);
    EXPECT_TRUE(window.handledWhileShown.empty());
    // The fast-forwarded clock moved by the alert's sleep; real time spent showing adds little.
    EXPECT_GE(shown, AlertPopupDlg::kShowMilliseconds);
    EXPECT_LT(shown, AlertPopupDlg::kShowMilliseconds + 300);
    ASSERT_TRUE(tripdesk::test::WaitUntil([&] { return window.handledWhileShown.size() == 2; }));
    EXPECT_EQ(window.handledWhileShown, (std::vector<bool>{false, false}));
}

TEST_F(AlertPopupTest, TwoAlertsInARowEachStandTheirTime) {
    PaintLog log(alert);
    EXPECT_GE(ShowTimed(1), AlertPopupDlg::kShowMilliseconds);
    const std::size_t firstPaints = log.paints.size();
    EXPECT_GE(firstPaints, 1u);
    const std::uint64_t secondStart = platform::TickCount();
    EXPECT_GE(ShowTimed(2, 300, 200), AlertPopupDlg::kShowMilliseconds);
    ASSERT_GT(log.paints.size(), firstPaints) << "the second alert is drawn again";
    EXPECT_TRUE(log.paints[firstPaints].visible);
    EXPECT_LT(log.paints[firstPaints].tick - secondStart, AlertPopupDlg::kShowMilliseconds);
    EXPECT_EQ(alert.pos(), QPoint(674, 493));
    EXPECT_EQ(alert.Number(), 2);
}

TEST_F(AlertPopupTest, EachMessageIsWrittenAtItsPlace) {
    struct Case {
        int number;
        QPoint origin;   // (width / 2 - 90 or - 125, height / 2 - 15)
    };
    const Case cases[] = {{1, {46, 82}}, {2, {46, 82}}, {3, {11, 82}}, {4, {11, 82}}};
    const int lineHeight = platform::PointsToPixels(14) * 3 / 2;
    std::vector<QImage> pictures;
    for (const Case& c : cases) {
        ShowTimed(c.number);
        const QImage picture = alert.grab().toImage();
        const QRect ink = BoundsOf(picture, Inside(picture), IsWhiteInk);
        ASSERT_FALSE(ink.isEmpty()) << c.number;
        EXPECT_GE(ink.left(), c.origin.x()) << c.number;
        EXPECT_LE(ink.left(), c.origin.x() + 4) << c.number;
        EXPECT_GE(ink.top(), c.origin.y()) << c.number;
        EXPECT_LE(ink.top(), c.origin.y() + 8) << c.number;
        EXPECT_LT(ink.bottom(), c.origin.y() + lineHeight) << c.number;
        EXPECT_GT(ink.width(), 120) << c.number;
        pictures.push_back(picture);
    }
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (std::size_t j = i + 1; j < pictures.size(); ++j) EXPECT_NE(pictures[i], pictures[j]) << i << " " << j;
}

TEST_F(AlertPopupTest, AnUnknownNumberShowsTheEmptyFrame) {
    for (int number : {0, 5, -1}) {
        ShowTimed(number);
        const QImage picture = alert.grab().toImage();
        EXPECT_TRUE(BoundsOf(picture, picture.rect(), IsWhiteInk).isEmpty()) << number;
        EXPECT_EQ(QColor(picture.pixel(0, 0)), QColor(150, 150, 150));
        EXPECT_EQ(QColor(picture.pixel(271, 193)), QColor(150, 150, 150));
        EXPECT_EQ(QColor(picture.pixel(1, 1)), QColor(Qt::black));
        EXPECT_EQ(QColor(picture.pixel(136, 97)), QColor(Qt::black));
    }
}

TEST_F(AlertPopupTest, KeysDoNotCloseIt) {
    alert.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&alert));
    using tripdesk::test::PressKey;
    PressKey(&alert, Qt::Key_Return);
    PressKey(&alert, Qt::Key_Escape);
    PressKey(&alert, Qt::Key_F4);
    PressKey(&alert, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(alert.isVisible());
    alert.hide();
}

} // namespace
} // namespace settings

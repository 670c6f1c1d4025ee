// The video popups on the offscreen platform: placement beside the main window, the black frame,
// the close button and its message to the main window, keys that cannot close it, the moved
// hook, and shown states that only act on a change.

#include <gtest/gtest.h>

#include <QEvent>
#include <QMouseEvent>
#include <vector>

#include "gui_support.h"
#include "platform/bitmap_button.h"
#include "platform/messages.h"
#include "player/player_messages.h"
#include "player/video_popup.h"

namespace player {
namespace {

using tripdesk::test::PressKey;
using tripdesk::test::WaitUntil;

// Stands in for the main window: keeps every WM_POPUP_CLOSED it receives.
class OwnerWindow : public platform::Window {
public:
    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override {
        if (msg == WM_POPUP_CLOSED) closed.push_back({wParam, lParam});
        return platform::Window::WindowProc(msg, wParam, lParam);
    }
    std::vector<std::pair<platform::WPARAM, platform::LPARAM>> closed;
};


// Counts the popup's show and hide events.
class VisibilityLog : public QObject {
public:
    explicit VisibilityLog(QWidget& window) { window.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        shows += event->type() == QEvent::Show;
        hides += event->type() == QEvent::Hide;
        return false;
    }
    int shows = 0;
    int hides = 0;
};

QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

class VideoPopupTest : public ::testing::Test {
protected:
    OwnerWindow owner;
};

TEST_F(VideoPopupTest, PlacedBesideTheMainWindowWithItsFrameAndCloseButton) {
    VideoPopupLeft popup(owner.hwnd());
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(popup.Shown(), VideoPopup::kHidden);
    popup.PlacePopup(100, 50);
    popup.SetShown(VideoPopup::kShown);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup));
    EXPECT_EQ(popup.geometry(), QRect(285, 180, 650, 520));

    platform::BitmapButton* close = popup.bitmapButton(1056);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->geometry(), QRect(598, 0, 45, 25));
    EXPECT_TRUE(close->isVisible());

    const QImage screen = popup.grab().toImage();
    for (QPoint p : {QPoint(0, 0), QPoint(0, 519), QPoint(649, 519), QPoint(325, 519), QPoint(0, 260),
                     QPoint(649, 260), QPoint(300, 0)})
        EXPECT_EQ(At(screen, p.x(), p.y()), QColor(150, 150, 150)) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(1, 1), QPoint(325, 260), QPoint(648, 518), QPoint(1, 518), QPoint(597, 30)})
        EXPECT_EQ(At(screen, p.x(), p.y()), QColor(Qt::black)) << p.x() << "," << p.y();

    // The top strip drags the popup.
    EXPECT_EQ(platform::SendMessage(popup.hwnd(), platform::WM_NCHITTEST, 0, platform::MAKELPARAM(400, 180 + 34)),
              platform::HTCAPTION);
    EXPECT_EQ(platform::SendMessage(popup.hwnd(), platform::WM_NCHITTEST, 0, platform::MAKELPARAM(400, 180 + 35)),
              platform::HTCLIENT);
}

TEST_F(VideoPopupTest, CloseButtonHidesAndTellsTheMainWindowItsChannel) {
    VideoPopupLeft left(owner.hwnd());
    VideoPopupRight right(owner.hwnd());
    struct Case {
        VideoPopup& popup;
        int closeButtonId;
        platform::WPARAM channel;
    };
    for (const Case& c : {Case{left, 1056, 1}, Case{right, 1055, 2}}) {
        owner.closed.clear();
        c.popup.PlacePopup(0, 0);
        c.popup.SetShown(VideoPopup::kShown);
        ASSERT_TRUE(c.popup.isVisible());
        ASSERT_NE(c.popup.bitmapButton(c.closeButtonId), nullptr);
        c.popup.bitmapButton(c.closeButtonId)->Click();
        EXPECT_FALSE(c.popup.isVisible()) << c.channel;
        EXPECT_EQ(c.popup.Shown(), VideoPopup::kHidden) << c.channel;
        ASSERT_EQ(owner.closed.size(), 1u) << c.channel;
        EXPECT_EQ(owner.closed[0].first, c.channel);
        EXPECT_EQ(owner.closed[0].second, 0);

        // The same popup serves the next request.
        c.popup.SetShown(VideoPopup::kShown);
        EXPECT_TRUE(c.popup.isVisible()) << c.channel;
        c.popup.SetShown(VideoPopup::kHidden);
    }
}

TEST_F(VideoPopupTest, KeysLeaveItOpen) {
    VideoPopupRight popup(owner.hwnd());
    popup.PlacePopup(100, 50);
    popup.SetShown(VideoPopup::kShown);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup));
    PressKey(&popup, Qt::Key_Escape);
    PressKey(&popup, Qt::Key_Return);
    PressKey(&popup, Qt::Key_F4);
    PressKey(&popup, Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(popup.close());
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.Shown(), VideoPopup::kShown);
    EXPECT_TRUE(owner.closed.empty());
}

TEST_F(VideoPopupTest, EveryMoveRunsTheOwnerMovedHook) {
    VideoPopupRight popup(owner.hwnd());
    popup.PlacePopup(100, 50);
    popup.SetShown(VideoPopup::kShown);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup));
    popup.MoveWindow(20, 20, 650, 520);   // moves before a hook is given reach nobody
    ASSERT_TRUE(WaitUntil([&] { return popup.pos() == QPoint(20, 20); }));

    int moves = 0;
    popup.SetOwnerMoved([&moves] { ++moves; });
    popup.MoveWindow(400, 300, 650, 520);
    ASSERT_TRUE(WaitUntil([&] { return moves >= 1; }));
    int before = moves;
    popup.PlacePopup(0, 0);
    ASSERT_TRUE(WaitUntil([&] { return moves > before; }));
    EXPECT_EQ(popup.pos(), QPoint(185, 130));

    // Dragged by its top strip, as the user moves it.
    const QPoint grip = popup.pos() + QPoint(300, 10);
    auto mouse = [&](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF local = popup.mapFromGlobal(global);
        QMouseEvent event(type, local, local, global, button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&popup, &event);
    };
    before = moves;
    mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, grip + QPoint(40, 25), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, grip + QPoint(40, 25), Qt::LeftButton, Qt::NoButton);
    ASSERT_TRUE(WaitUntil([&] { return moves > before; }));
    EXPECT_EQ(popup.pos(), QPoint(225, 155));
    popup.SetShown(VideoPopup::kHidden);
}

TEST_F(VideoPopupTest, ShownStateOnlyActsOnAChange) {
    VideoPopupLeft popup(owner.hwnd());
    popup.PlacePopup(100, 50);
    VisibilityLog log(popup);
    popup.SetShown(VideoPopup::kHidden);
    EXPECT_EQ(log.hides, 0);
    popup.SetShown(VideoPopup::kShown);
    popup.SetShown(VideoPopup::kShown);
    EXPECT_EQ(log.shows, 1);
    EXPECT_TRUE(popup.isVisible());
    // The state is the popup's own record: asking for it again changes nothing, even when the
    // window was hidden behind its back.
    popup.hide();
    popup.SetShown(VideoPopup::kShown);
    EXPECT_FALSE(popup.isVisible());
    popup.SetShown(VideoPopup::kHidden);
    popup.SetShown(VideoPopup::kHidden);
    EXPECT_EQ(log.hides, 1);
}

} // namespace
} // namespace player

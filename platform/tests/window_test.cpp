// The window base: timers, the caption band, hit testing, mouse and key translation, swallowed
// keys, close requests and file drops, on Qt's offscreen platform.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QMimeData>
#include <QPushButton>
#include <QMouseEvent>
#include <QTest>
#include <QUrl>

#include "gui_support.h"
#include "platform/messages.h"
#include "recorder_window.h"

namespace platform {
namespace {

using tripdesk::test::RecorderWindow;
using tripdesk::test::WaitUntil;

class TopLevel : public ::testing::Test {
protected:
    void SetUp() override {
        window.setGeometry(100, 100, 300, 200);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.seen.clear();
    }

    void sendMouse(QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF local = window.mapFromGlobal(global);
        QMouseEvent event(type, local, local, global, button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &event);
    }

    RecorderWindow window{nullptr, Qt::Window | Qt::FramelessWindowHint};
};

TEST_F(TopLevel, TimersDeliverTheirIdUntilKilled) {
    window.SetTimer(7, 5);
    window.SetTimer(9, 5);
    auto count = [&](WPARAM id) {
        const auto timers = window.Of(WM_TIMER);
        return std::count_if(timers.begin(), timers.end(), [id](const auto& m) { return m.wParam == id; });
    };
    ASSERT_TRUE(WaitUntil([&] { return count(7) >= 3 && count(9) >= 3; }));

    window.KillTimer(7);
    EXPECT_FALSE(window.HasTimer(7));
    EXPECT_TRUE(window.HasTimer(9));
    window.seen.clear();
    ASSERT_TRUE(WaitUntil([&] { return count(9) >= 3; }));
    EXPECT_EQ(count(7), 0);
    window.KillTimer(9);
}

TEST_F(TopLevel, CaptionBandDragsTheWindowAndAnswersTheHitTest) {
    window.setCaptionBand(35);
    const QPoint origin = window.pos();
    EXPECT_EQ(SendMessage(window.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(origin.x() + 10, origin.y() + 34)), HTCAPTION);
    EXPECT_EQ(SendMessage(window.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(origin.x() + 10, origin.y() + 35)), HTCLIENT);

    const QPoint grip = origin + QPoint(50, 10);
    sendMouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, grip + QPoint(10, 5), Qt::NoButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, grip + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, grip + QPoint(30, 20), Qt::LeftButton, Qt::NoButton);
    ASSERT_TRUE(WaitUntil([&] { return window.pos() == origin + QPoint(30, 20); })) << window.pos().x();
    EXPECT_TRUE(window.Of(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(window.Of(WM_LBUTTONUP).empty());
    ASSERT_TRUE(WaitUntil([&] { return !window.Of(WM_MOVE).empty(); }));
    const LPARAM moved = window.Of(WM_MOVE).back().lParam;
    EXPECT_EQ(GET_X_LPARAM(moved), origin.x() + 30);
    EXPECT_EQ(GET_Y_LPARAM(moved), origin.y() + 20);

    // Below the band the press is the client's and nothing moves.
    const QPoint now = window.pos();
    const QPoint body = now + QPoint(50, 100);
    sendMouse(QEvent::MouseButtonPress, body, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, body + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, body + QPoint(30, 20), Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.pos(), now);
    ASSERT_EQ(window.Of(WM_LBUTTONDOWN).size(), 1u);

    window.setCaptionBand(0);
    EXPECT_EQ(SendMessage(window.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(now.x() + 10, now.y() + 1)), HTCLIENT);
}

TEST_F(TopLevel, MouseMessagesCarryClientCoordinatesAndPassPreTranslation) {
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(12, 50));
    QTest::mouseMove(&window, QPoint(40, 60));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(40, 60));
    QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(7, 90));

    const auto down = window.Of(WM_LBUTTONDOWN);
    ASSERT_FALSE(down.empty());
    EXPECT_EQ(GET_X_LPARAM(down[0].lParam), 12);
    EXPECT_EQ(GET_Y_LPARAM(down[0].lParam), 50);
    EXPECT_TRUE(down[0].wParam & MK_LBUTTON);
    const auto moves = window.Of(WM_MOUSEMOVE);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(GET_X_LPARAM(moves.back().lParam), 40);
    ASSERT_FALSE(window.Of(WM_LBUTTONUP).empty());
    ASSERT_EQ(window.Of(WM_LBUTTONDBLCLK).size(), 1u);
    EXPECT_EQ(GET_Y_LPARAM(window.Of(WM_LBUTTONDBLCLK)[0].lParam), 90);

    window.seen.clear();
    window.consumed = WM_LBUTTONDOWN;
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(20, 60));
    EXPECT_TRUE(window.Of(WM_LBUTTONDOWN).empty());
    EXPECT_EQ(window.Of(WM_LBUTTONUP).size(), 1u);
}

TEST_F(TopLevel, ACapturingChildGetsTheMouseWhereverThePointerIs) {
    auto* child = new RecorderWindow(&window);
    child->setGeometry(50, 50, 40, 40);
    child->show();
    // Through the window system path, where Qt picks the receiver of a mouse event.
    QTest::mouseMove(window.windowHandle(), QPoint(10, 150));
    EXPECT_TRUE(child->Of(WM_MOUSEMOVE).empty());
    EXPECT_FALSE(window.Of(WM_MOUSEMOVE).empty());

    child->SetCapture();
    EXPECT_TRUE(child->HasCapture());
    QTest::mouseMove(window.windowHandle(), QPoint(12, 160));
    const auto moves = child->Of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), -38);
    EXPECT_EQ(GET_Y_LPARAM(moves[0].lParam), 110);

    child->ReleaseCapture();
    EXPECT_FALSE(child->HasCapture());
    QTest::mouseMove(window.windowHandle(), QPoint(14, 170));
    EXPECT_EQ(child->Of(WM_MOUSEMOVE).size(), 1u);
}

TEST_F(TopLevel, KeysBecomeKeyDownUnlessSwallowed) {
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_A);
    QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);
    ASSERT_EQ(window.Of(WM_KEYDOWN).size(), 2u);
    EXPECT_EQ(window.Of(WM_KEYDOWN)[0].wParam, VK_RETURN);
    EXPECT_EQ(window.Of(WM_KEYDOWN)[1].wParam, WPARAM{'A'});
    ASSERT_EQ(window.Of(WM_SYSKEYDOWN).size(), 1u);
    EXPECT_EQ(window.Of(WM_SYSKEYDOWN)[0].wParam, VK_F4);
    EXPECT_FALSE(window.isVisible()) << "Alt+F4 is a close request";

    window.show();
    window.seen.clear();
    window.setSwallowedKeys(kSwallowPopupKeys);
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Enter);
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_F4);
    QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(window.seen.empty());
    EXPECT_FALSE(window.close()) << "a window that swallows F4 ignores close requests";
    EXPECT_TRUE(window.isVisible());

    window.setSwallowedKeys(kSwallowEnter);
    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_EQ(window.Of(WM_KEYDOWN).size(), 1u);
    EXPECT_EQ(window.Of(WM_KEYDOWN)[0].wParam, VK_ESCAPE);
    window.close();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(TopLevel, ControlsWithTheFocusLoseTheSwallowedKeysToo) {
    auto* button = new QPushButton("Data Transmission", &window);
    button->setDefault(true);   // Enter clicks a focused default button
    auto* list = new QComboBox(&window);
    list->addItems({"1", "2"});
    button->show();
    list->show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    window.setSwallowedKeys(kSwallowPopupKeys);
    QTest::keyClick(button, Qt::Key_Return);
    ASSERT_EQ(clicks, 1) << "without the controls' keys the button still takes Enter";

    window.SwallowKeysInControls();
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter);
    QTest::keyClick(list, Qt::Key_F4);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(list->view()->isVisible()) << "F4 would open the list";
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(clicks, 2) << "other keys still reach the control";
    window.SwallowKeysInControls();   // again, for controls added since: one filter per window
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(window.seen.empty());
}

TEST_F(TopLevel, DroppedFilesArriveAsLocalPathsInDropOrder) {
    window.setAcceptDrops(true);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/media/card/REC_0002.mp4"), QUrl("https://example.com/x.mp4"),
                   QUrl::fromLocalFile(QString::fromUtf8("/media/card/주행 1.mp4"))});
    QDragEnterEvent enter(QPoint(10, 60), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 60), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    ASSERT_EQ(window.drops.size(), 1u);
    EXPECT_EQ(window.drops[0], (std::vector<std::string>{"/media/card/REC_0002.mp4", "/media/card/주행 1.mp4"}));

    QMimeData web;
    web.setUrls({QUrl("https://example.com/x.mp4")});
    QDragEnterEvent webEnter(QPoint(10, 60), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    webEnter.ignore();
    QCoreApplication::sendEvent(&window, &webEnter);
    EXPECT_FALSE(webEnter.isAccepted());
}

} // namespace
} // namespace platform

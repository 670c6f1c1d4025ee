// The skinned dialog's frame: dragging from anywhere, rubber-band resizing clamped to its limits,
// and the layout that moves anchored controls.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include "gui_support.h"
#include "skin_test_dialog.h"

namespace skin {
namespace {

using namespace skin::test;
using tripdesk::test::WaitUntil;

void SendMouse(QWidget& window, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF local = window.mapFromGlobal(global);
    QMouseEvent event(type, local, local, global, button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
}

void DragBy(QWidget& window, QPoint from, QPoint by) {
    SendMouse(window, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(window, QEvent::MouseMove, from + by / 2, Qt::NoButton, Qt::LeftButton);
    SendMouse(window, QEvent::MouseMove, from + by, Qt::NoButton, Qt::LeftButton);
    SendMouse(window, QEvent::MouseButtonRelease, from + by, Qt::LeftButton, Qt::NoButton);
}

class SkinFrame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        dialog.move(200, 150);
        dialog.show();
        ASSERT_TRUE(WaitUntil([&] { return dialog.layouts == 1; }));
    }
    TestSkinDialog dialog;
};

TEST_F(SkinFrame, APressAnywhereDragsOnlyWhenDragIsOn) {
    const QPoint origin = dialog.pos();
    DragBy(dialog, origin + QPoint(150, 200), QPoint(30, 20));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.pos(), origin);

    dialog.SetDragEnabled(true);
    DragBy(dialog, origin + QPoint(150, 200), QPoint(30, 20));
    ASSERT_TRUE(WaitUntil([&] { return dialog.pos() == origin + QPoint(30, 20); })) << dialog.pos().x();
    EXPECT_EQ(dialog.size(), QSize(320, 280));
}

TEST_F(SkinFrame, EdgesResizeWithARubberBandClampedToTheLimits) {
    dialog.SetResizeEnabled(true);
    dialog.SetSizeLimits({200, 150}, {400, 300});
    const QPoint corner = dialog.pos() + QPoint(319, 279);
    SendMouse(dialog, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    SendMouse(dialog, QEvent::MouseMove, corner + QPoint(40, 10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog.size(), QSize(320, 280)) << "nothing changes while the button is held";
    SendMouse(dialog, QEvent::MouseButtonRelease, corner + QPoint(40, 10), Qt::LeftButton, Qt::NoButton);
    ASSERT_TRUE(WaitUntil([&] { return dialog.size() == QSize(360, 290); })) << dialog.width();

    const QPoint topLeft = dialog.pos();
    DragBy(dialog, dialog.pos() + QPoint(359, 289), QPoint(900, 900));
    ASSERT_TRUE(WaitUntil([&] { return dialog.size() == QSize(400, 300); })) << dialog.width();
    EXPECT_EQ(dialog.pos(), topLeft) << "the edges not dragged stay";

    DragBy(dialog, dialog.pos() + QPoint(1, 100), QPoint(900, 0));
    ASSERT_TRUE(WaitUntil([&] { return dialog.size() == QSize(200, 300); })) << dialog.width();
    EXPECT_EQ(dialog.pos(), topLeft + QPoint(200, 0)) << "the right edge stays where it was";
}

TEST_F(SkinFrame, WithResizeOffAnEdgePressIsTheClients) {
    dialog.SetDragEnabled(false);
    const QPoint corner = dialog.pos() + QPoint(319, 279);
    DragBy(dialog, corner, QPoint(50, 50));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.size(), QSize(320, 280));
}

TEST_F(SkinFrame, AMaximisedWindowIsNotResizedByItsEdges) {
    dialog.SetResizeEnabled(true);
    dialog.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(dialog.isMaximized());
    ASSERT_TRUE(WaitUntil([&] { return dialog.size() != QSize(320, 280); }));
    const QSize before = dialog.size();
    const QPoint corner = dialog.mapToGlobal(QPoint(before.width() - 1, before.height() - 1));
    DragBy(dialog, corner, QPoint(-100, -100));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.size(), before);
}

TEST_F(SkinFrame, AnchoredControlsFollowResizesOfAtLeastEightPixels) {
    SkinControl* anchored = dialog.WrapControl(kHiddenPush);
    SkinControl* free = dialog.WrapControl(kCheck);
    ASSERT_TRUE(anchored && free);
    anchored->SetAnchor(kAnchorRight | kAnchorBottom);

    dialog.resize(325, 284);
    QCoreApplication::processEvents();
    EXPECT_EQ(anchored->widget()->pos(), QPoint(200, 140)) << "less than 8 x 8 moves nothing";
    dialog.resize(360, 284);
    QCoreApplication::processEvents();
    EXPECT_EQ(anchored->widget()->pos(), QPoint(240, 144)) << "by the whole change since the last move";
    dialog.resize(360, 330);
    QCoreApplication::processEvents();
    EXPECT_EQ(anchored->widget()->pos(), QPoint(240, 190));
    EXPECT_EQ(free->widget()->pos(), QPoint(10, 140));
    EXPECT_EQ(dialog.layouts, 1) << "the first layout happens once";
}

} // namespace
} // namespace skin

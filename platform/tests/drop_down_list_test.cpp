// The drop-down list control and the vertical scrolling of tall child windows.

#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "gui_support.h"
#include "platform/dialog.h"
#include "platform/drop_down_list.h"
#include "platform/fonts.h"
#include "platform/vertical_scroller.h"
#include "recorder_window.h"

namespace platform {
namespace {

TEST(DropDownList, FillSelectAndReadWithoutNotifying) {
    tripdesk::test::RecorderWindow parent;
    parent.resize(200, 100);
    auto* list = new DropDownList(1194, &parent);
    list->setGeometry(10, 10, 80, 22);
    EXPECT_EQ(list->AddString("30"), 0);
    EXPECT_EQ(list->AddString("31"), 1);
    EXPECT_EQ(list->AddString("120"), 2);
    // A freshly filled list has nothing selected, as on Windows.
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(list->SelectedText(), "");

    list->SetCurSel(2);
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(list->SelectedText(), "120");
    EXPECT_EQ(list->GetLBText(1), "31");
    EXPECT_EQ(list->GetLBText(3), "");
    list->SetCurSel(3);
    EXPECT_EQ(list->GetCurSel(), -1);
    list->SetCurSel(-5);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_TRUE(parent.Of(WM_COMMAND).empty());

    // The user's choice is reported with the list's id.
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    list->setFocus();
    list->SetCurSel(0);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->GetCurSel(), 1);
    const auto commands = parent.Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(1194, CBN_SELCHANGE));

    list->ResetContent();
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetCurSel(), -1);
}

constexpr ControlTemplate kListControls[] = {
    {1213, ControlKind::DropDownList, "", 10, 10, 80, 22},
};
const DialogTemplate kListDialog{900, 200, 100, "", "Microsoft Sans Serif", 10, kDialogPopup, kListControls};

TEST(DropDownList, DialogTemplatesBuildItAndReadItsText) {
    Dialog dialog(kListDialog);
    ASSERT_TRUE(dialog.Create());
    auto* list = dialog.item<DropDownList>(1213);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->controlId(), 1213);
    EXPECT_EQ(list->geometry(), QRect(10, 10, 80, 22));
    list->AddString("0.0");
    list->AddString("0.1");
    list->SetCurSel(1);
    EXPECT_EQ(dialog.GetDlgItemText(1213), "0.1");
}

TEST(Fonts, MicrosoftSansSerifIsAMappedFace) {
    // A mapped face draws with the fonts installed for it, never asks for the Windows font.
    const QFont font = WinFont("Microsoft Sans Serif", 10);
    ASSERT_FALSE(font.families().isEmpty());
    EXPECT_EQ(font.families().first(), "DejaVu Sans");
    EXPECT_TRUE(font.families().contains("NanumGothic"));
    EXPECT_EQ(font.pixelSize(), 13);
}

// --- vertical scrolling -------------------------------------------------------------------------

ScrollSteps TestSteps(int hidden) { return {std::max(5, hidden / 20), std::max(5, hidden / 10)}; }

class VerticalScrollerTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.resize(200, 100);
        top_ = new QLabel("top", &window_);
        top_->setGeometry(0, 0, 100, 20);
        bottom_ = new QLabel("bottom", &window_);
        bottom_->setGeometry(0, 480, 100, 20);
        scroller_ = new VerticalScroller(&window_, 500, &TestSteps);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    void Wheel(QWidget* target, int delta) {
        QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

    QWidget window_;
    QLabel* top_ = nullptr;
    QLabel* bottom_ = nullptr;
    VerticalScroller* scroller_ = nullptr;
};

TEST_F(VerticalScrollerTest, StepsMoveTheControlsAndStopAtBothEnds) {
    // 400 pixels hidden: lines of 20, pages of 40.
    EXPECT_EQ(scroller_->maximum(), 400);
    EXPECT_EQ(scroller_->steps().line, 20);
    EXPECT_EQ(scroller_->steps().page, 40);
    QScrollBar* bar = scroller_->bar();
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), 400);
    EXPECT_EQ(bar->pageStep(), 100);
    EXPECT_EQ(bar->geometry().right(), window_.width() - 1);

    scroller_->LineDown();
    EXPECT_EQ(scroller_->position(), 20);
    EXPECT_EQ(top_->y(), -20);
    EXPECT_EQ(bottom_->y(), 460);
    EXPECT_EQ(bar->y(), 0) << "the bar stays where it is";
    scroller_->PageDown();
    EXPECT_EQ(scroller_->position(), 60);
    scroller_->PageUp();
    scroller_->LineUp();
    scroller_->LineUp();
    EXPECT_EQ(scroller_->position(), 0);
    EXPECT_EQ(top_->y(), 0);

    scroller_->ScrollTo(390);
    scroller_->PageDown();
    EXPECT_EQ(scroller_->position(), 400);
    EXPECT_EQ(bottom_->y(), 80) << "the last control ends at the window's bottom";
    scroller_->LineDown();
    EXPECT_EQ(scroller_->position(), 400);
}

TEST_F(VerticalScrollerTest, BarActionsTakeTheOwnersStepsAndTheThumbItsPlace) {
    QScrollBar* bar = scroller_->bar();
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(scroller_->position(), 40) << "not the bar's own page of 100";
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(scroller_->position(), 60);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(scroller_->position(), 40);
    // Dragging the thumb.
    bar->setSliderDown(true);
    bar->setSliderPosition(333);
    bar->setSliderDown(false);
    EXPECT_EQ(scroller_->position(), 333);
    EXPECT_EQ(top_->y(), -333);
}

TEST_F(VerticalScrollerTest, EachWheelNotchIsOneLine) {
    Wheel(&window_, -120);
    EXPECT_EQ(scroller_->position(), 20);
    Wheel(&window_, -240);
    EXPECT_EQ(scroller_->position(), 60);
    Wheel(&window_, -60);
    EXPECT_EQ(scroller_->position(), 60) << "half a notch scrolls nothing yet";
    Wheel(&window_, -60);
    EXPECT_EQ(scroller_->position(), 80);
    Wheel(scroller_->bar(), 120 * 10);
    EXPECT_EQ(scroller_->position(), 0);
}

TEST_F(VerticalScrollerTest, ATallerWindowHasLessToScrollAndSmallerSteps) {
    scroller_->ScrollTo(400);
    window_.resize(200, 420);
    EXPECT_EQ(scroller_->maximum(), 80);
    EXPECT_EQ(scroller_->position(), 80);
    EXPECT_EQ(scroller_->steps().line, 5);
    EXPECT_EQ(scroller_->steps().page, 8);
    EXPECT_EQ(bottom_->y(), 400);
    window_.resize(200, 600);
    EXPECT_EQ(scroller_->maximum(), 0);
    EXPECT_EQ(top_->y(), 0);
    EXPECT_TRUE(scroller_->bar()->isHidden());
}

} // namespace
} // namespace platform

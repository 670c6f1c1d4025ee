// The skinned controls on a test dialog: radio groups, the drop-down list's notifications, the
// list box, the progress bar's and pictures' pixels with the transparent colour left out.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPainter>
#include <QTest>

#include "gui_support.h"
#include "platform/control_class.h"
#include "skin/skin_buttons.h"
#include "skin/skin_lists.h"
#include "skin/skin_progress.h"
#include "skin/skin_texts.h"
#include "skin_test_dialog.h"

namespace skin {
namespace {

using namespace skin::test;
using Commands = std::vector<std::pair<int, platform::UINT>>;

TEST(SkinRadio, GroupsStartAtTheGroupBitAndAClickChecksOnlyInItsGroup) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    auto* a1 = dialog.Wrap<SkinRadio>(kRadioA1);
    auto* a2 = dialog.Wrap<SkinRadio>(kRadioA2);
    auto* b1 = dialog.Wrap<SkinRadio>(kRadioB1);
    auto* b2 = dialog.Wrap<SkinRadio>(kRadioB2);
    ASSERT_TRUE(a1 && a2 && b1 && b2);
    EXPECT_TRUE(a1->windowStyle() & platform::WS_GROUP);
    EXPECT_FALSE(a2->windowStyle() & platform::WS_GROUP);
    EXPECT_EQ(a1->windowStyle() & 0xF, 9u) << "the radio style stays";

    dialog.CheckDlgButton(kRadioA1, true);
    dialog.CheckDlgButton(kRadioB2, true);
    EXPECT_TRUE(dialog.IsDlgButtonChecked(kRadioA1));
    EXPECT_TRUE(dialog.IsDlgButtonChecked(kRadioB2));
    dialog.show();
    QTest::mouseClick(a2, Qt::LeftButton);
    EXPECT_FALSE(dialog.IsDlgButtonChecked(kRadioA1));
    EXPECT_TRUE(dialog.IsDlgButtonChecked(kRadioA2));
    EXPECT_TRUE(dialog.IsDlgButtonChecked(kRadioB2)) << "the other group keeps its choice";
    QTest::mouseClick(a2, Qt::LeftButton);
    EXPECT_TRUE(dialog.IsDlgButtonChecked(kRadioA2)) << "a click never unchecks";
    QTest::mouseClick(b1, Qt::LeftButton);
    EXPECT_FALSE(dialog.IsDlgButtonChecked(kRadioB2));
    EXPECT_TRUE(dialog.IsDlgButtonChecked(kRadioA2));
    EXPECT_EQ(dialog.commands, (Commands{{kRadioA2, platform::BN_CLICKED}, {kRadioA2, platform::BN_CLICKED},
                                         {kRadioB1, platform::BN_CLICKED}}));

    dialog.CheckDlgButton(kRadioA2, false);
    EXPECT_FALSE(dialog.IsDlgButtonChecked(kRadioA1));
    EXPECT_FALSE(dialog.IsDlgButtonChecked(kRadioA2)) << "code may leave a group with no choice";
}

TEST(SkinButton, AClickReportsAndADisabledButtonStaysQuiet) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    auto* button = dialog.Wrap<SkinButton>(kHiddenPush);
    ASSERT_NE(button, nullptr);
    dialog.show();
    QTest::mouseClick(button, Qt::LeftButton);
    dialog.EnableDlgItem(kHiddenPush, false);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(dialog.commands, (Commands{{kHiddenPush, platform::BN_CLICKED}}));
}

// The command the owner saw while the selection call was still running.
class SelectionDialog : public TestSkinDialog {
public:
    SkinComboBox* combo = nullptr;
    std::vector<int> selectedWhenNotified;
    std::vector<std::string> shownWhenNotified;

protected:
    bool OnCommand(int id, platform::UINT code) override {
        if (combo && id == combo->controlId() && code == platform::CBN_SELCHANGE) {
            selectedWhenNotified.push_back(combo->GetCurSel());
            shownWhenNotified.push_back(GetDlgItemText(id));
        }
        return TestSkinDialog::OnCommand(id, code);
    }
};

TEST(SkinComboBox, EverySelectionShowsItsTextAndNotifiesBeforeItReturns) {
    SelectionDialog dialog;
    ASSERT_TRUE(dialog.Create());
    auto* combo = dialog.Wrap<SkinComboBox>(kCombo);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->name(), "Combo0");
    EXPECT_EQ(combo->windowStyle(), 0x50010003u) << "its style and the tab stop";
    dialog.combo = combo;

    EXPECT_EQ(combo->AddString("(KX-310T) /media/a"), 0);
    EXPECT_EQ(combo->AddString("(Drive Reco) /media/b"), 1);
    EXPECT_EQ(combo->GetCount(), 2);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);

    EXPECT_EQ(combo->SetCurSel(1), 1);
    ASSERT_EQ(dialog.selectedWhenNotified, std::vector<int>{1});
    EXPECT_EQ(dialog.shownWhenNotified, std::vector<std::string>{"(Drive Reco) /media/b"});
    EXPECT_EQ(dialog.commands, (Commands{{kCombo, platform::CBN_SELCHANGE}}));

    EXPECT_EQ(combo->SetCurSel(2), CB_ERR);
    EXPECT_EQ(combo->SetCurSel(-1), CB_ERR);
    EXPECT_EQ(combo->GetCurSel(), 1) << "a refused selection changes nothing";
    EXPECT_EQ(dialog.commands.size(), 1u) << "and reports nothing";

    dialog.SetDlgItemText(kCombo, "");
    EXPECT_EQ(combo->shownText(), QString());
    EXPECT_EQ(combo->GetCurSel(), 1);
    combo->SetCurSel(0);
    combo->ClearSelection();
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    EXPECT_EQ(combo->shownText(), QString());
    EXPECT_EQ(dialog.commands.size(), 2u) << "clearing is not a selection";
    combo->ResetContent();
    EXPECT_EQ(combo->GetCount(), 0);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    EXPECT_EQ(combo->GetLBText(0), "");
}

TEST(SkinComboBox, AUsersChoiceFromTheOpenListIsReportedOnce) {
    SelectionDialog dialog;
    ASSERT_TRUE(dialog.Create());
    auto* combo = dialog.Wrap<SkinComboBox>(kCombo);
    ASSERT_NE(combo, nullptr);
    dialog.combo = combo;
    combo->AddString("one");
    combo->AddString("two");
    dialog.show();

    QTest::mouseClick(combo, Qt::LeftButton);
    ASSERT_NE(combo->openList(), nullptr);
    ASSERT_EQ(combo->openList()->actions().size(), 2);
    combo->openList()->actions().at(0)->trigger();
    combo->openList()->close();
    EXPECT_EQ(dialog.selectedWhenNotified, std::vector<int>{0});
    EXPECT_EQ(combo->shownText(), QStringLiteral("one"));
    EXPECT_TRUE(tripdesk::test::WaitUntil([&] { return combo->openList() == nullptr; }));

    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Up);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(dialog.selectedWhenNotified, (std::vector<int>{0, 1, 0})) << "no step past either end";
    QTest::keyClick(combo, Qt::Key_F4);
    EXPECT_NE(combo->openList(), nullptr);
    combo->openList()->close();
    EXPECT_TRUE(tripdesk::test::WaitUntil([&] { return combo->openList() == nullptr; }));

    combo->ResetContent();
    QTest::mouseClick(combo, Qt::LeftButton);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(combo->openList(), nullptr) << "an empty list does not open";
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(dialog.selectedWhenNotified.size(), 3u);
}

TEST(SkinListBox, KeepsItsLinesAndReportsAUsersChoice) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    auto* list = dialog.Wrap<SkinListBox>(kList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->AddString("first"), 0);
    EXPECT_EQ(list->AddString("second"), 1);
    EXPECT_EQ(list->GetText(1), "second");
    EXPECT_EQ(list->SetCurSel(1), 1);
    EXPECT_TRUE(dialog.commands.empty()) << "a selection by code is not reported";
    dialog.show();
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(10, 3));
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(dialog.commands, (Commands{{kList, platform::LBN_SELCHANGE}}));
    list->ResetContent();
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetCurSel(), -1);
}

TEST(SkinProgress, FillsInProportionToItsPositionWhenSet) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    auto* bar = dialog.Wrap<SkinProgress>(kProgress);
    ASSERT_NE(bar, nullptr);
    bar->SetColours(Qt::black, QColor(250, 250, 250), QColor(0, 0, 0));
    bar->SetBarColour(QColor(0, 120, 0));
    dialog.show();
    bar->SetRange(0, 200);
    bar->SetPos(100);
    QImage shown = bar->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(50, 10)), QColor(0, 120, 0));
    EXPECT_EQ(QColor(shown.pixel(150, 10)), QColor(250, 250, 250));
    bar->SetPos(500);
    EXPECT_EQ(bar->GetPos(), 200);
    shown = bar->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(190, 10)), QColor(0, 120, 0));
    bar->SetPos(-3);
    EXPECT_EQ(bar->GetPos(), 0);
    shown = bar->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(5, 10)), QColor(250, 250, 250));
}

QImage HalfMagenta(QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width() / 2; ++x) image.setPixel(x, y, qRgb(255, 0, 255));
    return image;
}

TEST(SkinPictures, TheTransparentColourIsLeftOut) {
    TestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.SetBackgroundColour(QColor(100, 100, 100));
    auto* picture = dialog.Wrap<SkinPicture>(kPicture);
    ASSERT_NE(picture, nullptr);
    picture->SetPicture(HalfMagenta({40, 40}, qRgb(0, 0, 200)));
    auto* button = dialog.Wrap<SkinButton>(kHiddenPush);
    ASSERT_NE(button, nullptr);
    // Two frames, 60 x 24 each: normal then hover; the left half of each is transparent.
    QImage strip(120, 24, QImage::Format_RGB32);
    QPainter(&strip).drawImage(0, 0, HalfMagenta({60, 24}, qRgb(200, 0, 0)));
    QPainter(&strip).drawImage(60, 0, HalfMagenta({60, 24}, qRgb(0, 200, 0)));
    button->SetStateImages(strip, 2);
    dialog.SetDlgItemText(kHiddenPush, "");
    dialog.show();

    const QImage shown = dialog.grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(105, 20)), QColor(100, 100, 100));   // 100 + 5: the magenta half
    EXPECT_EQ(QColor(shown.pixel(135, 20)), QColor(0, 0, 200));
    EXPECT_EQ(QColor(shown.pixel(205, 150)), QColor(100, 100, 100));
    EXPECT_EQ(QColor(shown.pixel(255, 150)), QColor(200, 0, 0));

    const QImage keyed = WithTransparentColour(HalfMagenta({4, 1}, qRgb(1, 2, 3)), qRgb(255, 0, 255));
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
    EXPECT_EQ(keyed.pixel(3, 0), qRgb(1, 2, 3));
}

} // namespace
} // namespace skin

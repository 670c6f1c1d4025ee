// The six configuration pages on the offscreen platform: what each shows for record bytes, what
// its Save button writes back, its enable rules and, for the tall pages, their scrolling.

#include <QAbstractButton>
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <limits>
#include <memory>

#include <gtest/gtest.h>

#include "platform/drop_down_list.h"
#include "platform/vertical_scroller.h"
#include "resources/resources.h"
#include "record_bytes.h"
#include "usbconfig/usb_tab_display.h"
#include "usbconfig/usb_tab_etc.h"
#include "usbconfig/usb_tab_rec_set.h"
#include "usbconfig/usb_tab_recorder.h"
#include "usbconfig/usb_tab_setting.h"
#include "usbconfig/usb_tab_viewer.h"

namespace usbconfig {
namespace {

using testing::RecordBytes;

// Where the tool window puts its pages: 407 x 310 inside the tab control.
constexpr QRect kPageArea(5, 25, 407, 310);

class PageTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.resize(417, 340);
        host_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host_));
    }

    template <class Page>
    Page& Make(const RecordBytes& bytes) {
        record_ = bytes.Record();
        auto page = std::make_unique<Page>(record_, &host_);
        page->setGeometry(kPageArea);
        page->show();
        Page& made = *page;
        page_ = std::move(page);
        return made;
    }

    bool Checked(int id) const { return page_->IsDlgButtonChecked(id); }
    bool Enabled(int id) const { return page_->GetDlgItem(id)->isEnabled(); }
    void Click(int id) { page_->item<QAbstractButton>(id)->click(); }
    void Save() { Click(page_->spec().saveId); }
    platform::DropDownList* List(int id) const { return page_->List(id); }
    std::string ListText(int id) const { return List(id)->SelectedText(); }
    RecordBytes Now() const { return RecordBytes(record_); }

    QWidget host_;
    DeviceConfig record_;
    std::unique_ptr<UsbTabPage> page_;
};

// --- Recorder -------------------------------------------------------------------------------------

TEST_F(PageTest, RecorderShowsTheRecordAndLoadingChangesNothing) {
    const RecordBytes stored = RecordBytes().Set(0, 2).Set(4, 1).Set(8, 2).Set(12, 2).Set(16, 1).Set(20, 3);
    Make<UsbTabRecorder>(stored);
    EXPECT_TRUE(Checked(1093)) << "2CH";
    EXPECT_FALSE(Checked(1109));
    EXPECT_TRUE(Checked(1111)) << "Event";
    EXPECT_TRUE(Checked(1115)) << "H.264";
    EXPECT_TRUE(Checked(1121)) << "a recorder's resolution 2 is Mega(1.3M)";
    EXPECT_TRUE(Checked(1119)) << "N(0.8M)";
    EXPECT_TRUE(Checked(1130)) << "N(512K)";
    EXPECT_TRUE(Checked(1137)) << "AMR";
    EXPECT_EQ(page_->RadioIndex(0), 1);
    EXPECT_EQ(Now().bytes(), stored.bytes());

    // Saved unchanged: Mega is written as 3, two channels take the "5-2. Quality" group.
    Save();
    EXPECT_EQ(Now().Word(0), 2);
    EXPECT_EQ(Now().Word(12), 3);
    EXPECT_EQ(Now().Word(16), 1);
    EXPECT_EQ(Now().Word(20), 3);
}

TEST_F(PageTest, RecorderSavesTheNewChoicesOfOneChannel) {
    RecordBytes stored = RecordBytes().Set(0, 2).Set(8, 2).Set(12, 3).Set(16, 2).Fill(24, 335, 0x5A);
    Make<UsbTabRecorder>(stored);
    Click(1109);   // 1CH
    Click(1112);   // Parking
    Click(1114);   // MJPEG: Mega is disabled but stays selected
    Click(1118);   // L(0.4M)
    Click(1127);   // AAC
    EXPECT_FALSE(Enabled(1121));
    EXPECT_TRUE(Checked(1121));
    Save();
    const RecordBytes saved = Now();
    EXPECT_EQ(saved.Word(0), 1);
    EXPECT_EQ(saved.Word(4), 2);
    EXPECT_EQ(saved.Word(8), 1);
    EXPECT_EQ(saved.Word(12), 3);
    EXPECT_EQ(saved.Word(16), 0) << "one channel takes the \"5. Quailty\" group";
    EXPECT_EQ(saved.Word(20), 1);
    for (std::size_t i = 24; i < 336; ++i) ASSERT_EQ(saved.Byte(i), 0x5A) << i;
}

TEST_F(PageTest, RecorderWithoutAChannelUsesTheTwoChannelQuality) {
    // A record never stored: no channel button, Infinity, MPEG4, VGA, the low qualities, Off.
    Make<UsbTabRecorder>(RecordBytes());
    EXPECT_FALSE(Checked(1109));
    EXPECT_FALSE(Checked(1093));
    EXPECT_EQ(page_->RadioIndex(0), -1);
    Click(1120);   // H(1.6M)
    Click(1130);   // N(512K)
    Save();
    EXPECT_EQ(Now().Word(0), 0);
    EXPECT_EQ(Now().Word(16), 1);

    // Resolution and audio without a selection write 0.
    page_->CheckDlgButton(1116, false);
    page_->CheckDlgButton(1125, false);
    page_->CheckDlgButton(1110, false);
    Save();
    EXPECT_EQ(Now().Word(12), 0);
    EXPECT_EQ(Now().Word(20), 0);
    EXPECT_EQ(Now().Word(4), -1) << "a group without a selection writes its index";
}

TEST_F(PageTest, RecorderEnableRulesAtLoadAndOnClicks) {
    const int oneChannel[] = {1118, 1119, 1120};
    const int twoChannels[] = {1129, 1130, 1131};
    const auto qualityEnabled = [&](bool one, bool two) {
        for (int id : oneChannel) EXPECT_EQ(Enabled(id), one) << id;
        for (int id : twoChannels) EXPECT_EQ(Enabled(id), two) << id;
    };

    Make<UsbTabRecorder>(RecordBytes().Set(0, 1).Set(8, 0).Set(12, 3));
    qualityEnabled(true, false);
    EXPECT_FALSE(Enabled(1121)) << "MPEG4 has no Mega";
    EXPECT_TRUE(Checked(1121));

    Make<UsbTabRecorder>(RecordBytes().Set(0, 2).Set(8, 1));
    qualityEnabled(false, true);
    EXPECT_FALSE(Enabled(1121));

    // Codes the rules do not know leave the template's state: everything enabled.
    Make<UsbTabRecorder>(RecordBytes().Set(0, 0).Set(8, 7));
    qualityEnabled(true, true);
    EXPECT_TRUE(Enabled(1121));

    Click(1109);
    qualityEnabled(true, false);
    Click(1093);
    qualityEnabled(false, true);
    Click(1113);
    EXPECT_FALSE(Enabled(1121));
    Click(1115);
    EXPECT_TRUE(Enabled(1121));
    Click(1114);
    EXPECT_FALSE(Enabled(1121));
    Click(1111);   // other buttons change nothing
    qualityEnabled(false, true);
    EXPECT_FALSE(Enabled(1121));
}

// --- RecSet ---------------------------------------------------------------------------------------

TEST_F(PageTest, RecSetRoundTripsItsFieldsAndClearsItsReservedWord) {
    RecordBytes stored;
    stored.Fill(0, 335, 0xC3);
    const std::int32_t fields[] = {1, 0, 1, 0, 1, 1, 0, 1, 5, 1, 2, 75, 1, 0, 1};   // 24 .. 80
    for (std::size_t i = 0; i < std::size(fields); ++i) stored.Set(24 + 4 * i, fields[i]);
    Make<UsbTabRecSet>(stored);
    EXPECT_TRUE(Checked(1143)) << "SI time On";
    EXPECT_TRUE(Checked(1102)) << "2 fps";
    EXPECT_TRUE(Checked(1162)) << "10 Min";
    EXPECT_TRUE(Checked(1171)) << "High";
    EXPECT_EQ(ListText(1194), "75");
    EXPECT_TRUE(Checked(1185)) << "sorting Time";
    EXPECT_EQ(Now().bytes(), stored.bytes());

    Save();
    const RecordBytes saved = Now();
    for (std::size_t i = 0; i < std::size(fields); ++i) EXPECT_EQ(saved.Word(24 + 4 * i), fields[i]) << 24 + 4 * i;
    EXPECT_EQ(saved.Word(84), 0);
    for (std::size_t i = 0; i < 24; ++i) ASSERT_EQ(saved.Byte(i), 0xC3) << i;
    for (std::size_t i = 88; i < 336; ++i) ASSERT_EQ(saved.Byte(i), 0xC3) << i;
}

TEST_F(PageTest, RecSetMotionRecordTimeFollowsItsThreeLoadRules) {
    struct Case {
        std::int32_t stored;
        const char* shown;
        std::int32_t saved;
    };
    // Below 30 the value is taken as a position.
    const Case cases[] = {{29, "59", 59}, {30, "30", 30}, {119, "119", 119}, {120, "120", 120},
                          {150, "120", 120}, {0, "30", 30}, {-3, "", 0}, {std::numeric_limits<std::int32_t>::max(), "120", 120}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Make<UsbTabRecSet>(RecordBytes().Set(68, c.stored));
        EXPECT_EQ(List(1194)->GetCount(), 91);
        EXPECT_EQ(ListText(1194), c.shown);
        EXPECT_EQ(Now().Word(68), c.stored);
        Save();
        EXPECT_EQ(Now().Word(68), c.saved);
    }
}

TEST_F(PageTest, RecSetRecordTimeCountsFromOne) {
    Make<UsbTabRecSet>(RecordBytes().Set(56, 4));
    EXPECT_TRUE(Checked(1161)) << "5 Min";
    Click(1158);
    Save();
    EXPECT_EQ(Now().Word(56), 1);
    Make<UsbTabRecSet>(RecordBytes().Set(56, 0));
    for (int id = 1158; id <= 1162; ++id) EXPECT_FALSE(Checked(id));
    Save();
    EXPECT_EQ(Now().Word(56), 0);
}

// --- Viewer, Display, Etc -------------------------------------------------------------------------

TEST_F(PageTest, ViewerSavesWithButtonSevenAndHidesItsSpareControls) {
    Make<UsbTabViewer>(RecordBytes().Set(88, 1).Set(84, 9).Set(92, 9));
    EXPECT_TRUE(Checked(1143));
    EXPECT_TRUE(page_->GetDlgItem(1099)->isHidden());
    EXPECT_TRUE(page_->GetDlgItem(1094)->isHidden());
    EXPECT_EQ(page_->GetDlgItemText(1094), "Button1");
    Click(1142);
    Click(7);
    EXPECT_EQ(Now().Word(88), 0);
    EXPECT_EQ(Now().Word(84), 9);
    EXPECT_EQ(Now().Word(92), 9);
}

TEST_F(PageTest, DisplayOutputsSkipCodeThreeAndSkinsStayDisabled) {
    RecordBytes stored = RecordBytes().Set(92, 4).Set(96, 5).Set(100, 2).Set(104, 1);
    stored.Set(108, 7).Set(112, 7).Set(116, 7).Set(88, 7).Set(120, 7);
    Make<UsbTabDisplay>(stored);
    EXPECT_TRUE(Checked(1145)) << "LCD TPMS";
    EXPECT_TRUE(Checked(1152)) << "TV 5 is OBD";
    EXPECT_TRUE(Checked(1095));
    EXPECT_TRUE(Checked(1097));
    for (int id = 1093; id <= 1098; ++id) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(Now().bytes(), stored.bytes());

    Click(1144);   // LCD CAM2
    Click(1153);   // TV RF
    Save();
    RecordBytes saved = Now();
    EXPECT_EQ(saved.Word(92), 2);
    EXPECT_EQ(saved.Word(96), 6);
    EXPECT_EQ(saved.Word(100), 2) << "the skins carry what was loaded";
    EXPECT_EQ(saved.Word(104), 1);
    for (std::size_t offset : {108u, 112u, 116u}) EXPECT_EQ(saved.Word(offset), 0) << offset;
    EXPECT_EQ(saved.Word(88), 7);
    EXPECT_EQ(saved.Word(120), 7);

    // TPMS saves 4 and loads as TPMS again; 3 (never written) shows CAM2.
    Click(1145);
    Save();
    EXPECT_EQ(Now().Word(92), 4);
    Make<UsbTabDisplay>(Now());
    EXPECT_TRUE(Checked(1145));
    Make<UsbTabDisplay>(RecordBytes().Set(92, 3).Set(96, 7));
    EXPECT_TRUE(Checked(1144));
    for (int id = 1148; id <= 1153; ++id) EXPECT_FALSE(Checked(id)) << id;
}

TEST_F(PageTest, EtcButtonsDoNothing) {
    RecordBytes stored;
    stored.Fill(0, 335, 0x11);
    Make<UsbTabEtc>(stored);
    for (int id : {1233, 1095, 1096}) {
        ASSERT_NE(page_->item<QAbstractButton>(id), nullptr) << id;
        Click(id);
    }
    EXPECT_EQ(page_->GetDlgItemText(1233), "SD Update");
    page_->Save();
    EXPECT_EQ(Now().bytes(), stored.bytes());
}

// --- Setting --------------------------------------------------------------------------------------

TEST_F(PageTest, SettingListsShowTheRecordAndSaveTheirNumbers) {
    RecordBytes stored;
    stored.Fill(0, 335, 0x77);
    stored.Set(120, 2011).Set(124, 12).Set(128, 31).Set(132, 23).Set(136, 0).Set(140, 59);
    stored.Set(144, 3).Set(148, 10).Set(152, 1).Set(156, 1).SetFloat(160, 0.7f).Set(164, 0);
    stored.Set(168, 1).Set(172, 0).Set(176, -5).Set(180, 5).Set(184, 0).Set(188, 2).Set(192, 1);
    stored.Set(292, 1).Set(296, 0).Set(300, 3).Set(304, 1).Set(308, 2).Set(312, 1);
    Make<UsbTabSetting>(stored);
    EXPECT_EQ(ListText(1194), "2011");
    EXPECT_EQ(ListText(1196), "12");
    EXPECT_EQ(ListText(1198), "31");
    EXPECT_EQ(ListText(1200), "23");
    EXPECT_EQ(ListText(1202), "0");
    EXPECT_EQ(ListText(1204), "59");
    EXPECT_EQ(ListText(1206), "40") << "volumes are positions";
    EXPECT_EQ(ListText(1208), "100");
    EXPECT_EQ(ListText(1213), "0.7");
    EXPECT_EQ(ListText(1219), "-5");
    EXPECT_EQ(ListText(1221), "5");
    EXPECT_EQ(ListText(1225), "2");
    EXPECT_TRUE(Checked(1145)) << "(+/-)6g";
    EXPECT_TRUE(Checked(1096)) << "LCD brightness High";
    EXPECT_TRUE(Checked(1103)) << "IR LED Auto";
    EXPECT_EQ(List(1194)->GetCount(), 100);
    EXPECT_EQ(List(1213)->GetCount(), 21);
    EXPECT_EQ(List(1206)->GetLBText(0), "10");
    EXPECT_EQ(Now().bytes(), stored.bytes());

    Save();
    const RecordBytes saved = Now();
    EXPECT_EQ(saved.Word(120), 2011) << "the year, not its position";
    for (std::size_t offset = 124; offset <= 192; offset += 4) {
        if (offset != 160) {
            EXPECT_EQ(saved.Word(offset), stored.Word(offset)) << offset;
        }
    }
    EXPECT_EQ(saved.Byte(160), 0x33);
    EXPECT_EQ(saved.Byte(161), 0x33);
    EXPECT_EQ(saved.Byte(162), 0x33);
    EXPECT_EQ(saved.Byte(163), 0x3F);
    for (std::size_t offset = 196; offset <= 288; offset += 4) EXPECT_EQ(saved.Word(offset), 0) << offset;
    for (std::size_t offset = 292; offset <= 312; offset += 4) EXPECT_EQ(saved.Word(offset), stored.Word(offset)) << offset;
    for (std::size_t i = 0; i < 120; ++i) ASSERT_EQ(saved.Byte(i), 0x77) << i;
    for (std::size_t i = 316; i < 336; ++i) ASSERT_EQ(saved.Byte(i), 0x77) << i;
}

TEST_F(PageTest, SettingValuesOutsideTheListsSelectNothing) {
    RecordBytes stored = RecordBytes().Set(120, 1999).Set(124, 0).Set(128, 32).Set(144, 10).Set(148, -1);
    stored.Set(176, 6).Set(180, std::numeric_limits<std::int32_t>::min());
    stored.SetFloat(160, std::numeric_limits<float>::quiet_NaN());
    Make<UsbTabSetting>(stored);
    for (int id : {1194, 1196, 1198, 1206, 1208, 1213, 1219, 1221}) EXPECT_EQ(List(id)->GetCurSel(), -1) << id;
    Save();
    const RecordBytes saved = Now();
    for (std::size_t offset : {120u, 124u, 128u, 160u, 176u, 180u}) EXPECT_EQ(saved.Word(offset), 0) << offset;
    EXPECT_EQ(saved.Word(144), -1) << "a position field without a selection";
    EXPECT_EQ(saved.Word(148), -1);
}

TEST_F(PageTest, SettingTriggerLevelTakesTheNearestEntry) {
    struct Case {
        float stored;
        const char* shown;
    };
    const Case cases[] = {{0.7f, "0.7"}, {0.74f, "0.7"}, {0.76f, "0.8"}, {2.0f, "2.0"}, {0.0f, "0.0"},
                          {-1.0f, "0.0"}, {9.5f, "2.0"}, {std::numeric_limits<float>::infinity(), "2.0"},
                          {-std::numeric_limits<float>::infinity(), "0.0"}, {1e30f, "2.0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Make<UsbTabSetting>(RecordBytes().SetFloat(160, c.stored));
        EXPECT_EQ(ListText(1213), c.shown);
    }
    // The choice is saved as the entry's number.
    List(1213)->SetCurSel(13);
    Save();
    EXPECT_EQ(Now().Word(160), RecordBytes().SetFloat(160, 1.3f).Word(160));
}

// --- scrolling ------------------------------------------------------------------------------------

TEST_F(PageTest, TallPagesScrollByTheirHiddenHeight) {
    for (int dialogId : {UsbTabRecSet::kDialogId, UsbTabSetting::kDialogId}) {
        SCOPED_TRACE(dialogId);
        if (dialogId == UsbTabRecSet::kDialogId)
            Make<UsbTabRecSet>(RecordBytes());
        else
            Make<UsbTabSetting>(RecordBytes());
        QApplication::processEvents();
        platform::VerticalScroller* scroller = page_->scroller();
        ASSERT_NE(scroller, nullptr);
        const int hidden = resources::Dialog(dialogId).height - kPageArea.height();
        ASSERT_GT(hidden, 100) << "the page is taller than the tab area";
        const int line = std::max(5, hidden / 20);
        const int pageStep = std::max(5, hidden / 10);
        EXPECT_EQ(scroller->maximum(), hidden);
        EXPECT_EQ(scroller->steps().line, line);
        EXPECT_EQ(scroller->steps().page, pageStep);
        QScrollBar* bar = scroller->bar();
        EXPECT_TRUE(bar->isVisible());
        EXPECT_EQ(bar->pageStep(), kPageArea.height());

        QWidget* save = page_->GetDlgItem(platform::IDOK);
        const int saveTop = save->y();
        QWheelEvent notch(QPointF(50, 50), page_->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(page_.get(), &notch);
        EXPECT_EQ(scroller->position(), line);
        EXPECT_EQ(save->y(), saveTop - line);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(scroller->position(), line + pageStep);
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        EXPECT_EQ(scroller->position(), 0);

        // Dragging the thumb to the end shows the Save button inside the page.
        bar->setSliderDown(true);
        bar->setSliderPosition(hidden);
        bar->setSliderDown(false);
        EXPECT_EQ(scroller->position(), hidden);
        EXPECT_LE(save->geometry().bottom(), page_->height());
        EXPECT_GE(save->y(), 0);
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(scroller->position(), hidden);
    }
    // The short pages do not scroll.
    Make<UsbTabRecorder>(RecordBytes());
    EXPECT_EQ(page_->scroller(), nullptr);
}

} // namespace
} // namespace usbconfig

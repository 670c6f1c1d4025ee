// The settings window's three modes: sizes, controls and pictures, every cell of the button
// table, and what the window swallows.

#include <QLineEdit>
#include <QRadioButton>

#include "popup_pixels.h"
#include "resources/resources.h"
#include "setting_window_fixture.h"
#include "settings/setting_messages.h"

namespace settings::test {
namespace {

using tripdesk::test::PressKey;

constexpr QRgb kTitleGreen = qRgb(175, 245, 95);
constexpr QRgb kRuleGrey = qRgb(40, 40, 40);
constexpr QRgb kGrey = qRgb(150, 150, 150);
constexpr QRgb kBlack = qRgb(0, 0, 0);

struct ModeCase {
    SettingMode mode;
    int height;
    int buttonsY;
    int actionBitmap;
    bool folderButton;
    bool captureSource;
    bool settingControls;
};

constexpr ModeCase kModes[] = {
    {SettingMode::Capture, 250, 197, 332, true, true, false},
    {SettingMode::FileSave, 250, 197, 334, true, false, false},
    {SettingMode::ViewerSetting, 600, 517, 334, false, false, true},
};

constexpr int kSettingControls[] = {1054, 1078, 1079, 1080, 1081, 1082, 1083};

bool Looks(QWidget* button, int bitmap) {
    return button->grab().toImage().convertToFormat(QImage::Format_RGB32) == resources::Bitmap(bitmap);
}

class SettingModesTest : public SettingWindowTest {
protected:
    QWidget* control(int id) const { return popup->GetDlgItem(id); }
    bool shown(int id) const { return control(id)->isVisibleTo(popup); }
    const QImage& picture() const { return popup->backBuffer(); }
    void clickRadio(int id) { popup->item<QRadioButton>(id)->click(); }
    void clickAt(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    std::vector<tripdesk::test::Message> saveClips() const { return owner.Of(WM_SAVE_CLIP); }
    void expectIdle() const {
        EXPECT_EQ(popup->Mode(), SettingMode::Idle);
        EXPECT_EQ(popup->Visible(), SettingPopup::kHidden);
        EXPECT_FALSE(popup->isVisible());
        EXPECT_FALSE(popup->Dragging());
    }
};

TEST_F(SettingModesTest, EachModeHasItsSizeControlsAndButtons) {
    for (const ModeCase& mode : kModes) {
        SCOPED_TRACE(static_cast<int>(mode.mode));
        Open(mode.mode);
        EXPECT_EQ(popup->geometry(), QRect(514, 190, 377, mode.height));
        EXPECT_EQ(popup->Visible(), SettingPopup::kShown);
        EXPECT_TRUE(popup->isVisible());

        EXPECT_EQ(control(1045)->geometry(), QRect(320, 0, 45, 25));
        EXPECT_TRUE(shown(1045));
        EXPECT_TRUE(Looks(control(1045), 207));
        EXPECT_EQ(control(1047)->geometry(), QRect(88, mode.buttonsY, 86, 29));
        EXPECT_EQ(control(1048)->geometry(), QRect(198, mode.buttonsY, 86, 29));
        EXPECT_TRUE(shown(1047) && shown(1048));
        EXPECT_TRUE(Looks(control(1047), mode.actionBitmap));
        EXPECT_TRUE(Looks(control(1048), 336));

        EXPECT_EQ(shown(1046), mode.folderButton);
        if (mode.folderButton) {
            EXPECT_EQ(control(1046)->geometry(), QRect(231, 79, 120, 27));
            EXPECT_TRUE(Looks(control(1046), 330));
        }
        // The capture source: value 0 (1084) beside "Front", 1 beside "Rear".
        EXPECT_EQ(shown(1084), mode.captureSource);
        EXPECT_EQ(shown(1085), mode.captureSource);
        EXPECT_EQ(control(1084)->pos(), QPoint(26, 151));
        EXPECT_EQ(control(1085)->pos(), QPoint(141, 151));
        for (int id : kSettingControls) EXPECT_EQ(shown(id), mode.settingControls) << id;
        for (int id : {1241, 1242, 1243}) {
            EXPECT_FALSE(shown(id)) << id;
            EXPECT_FALSE(control(id)->isEnabled()) << id;
        }
        Click(SettingPopup::kExitId);
        EXPECT_EQ(popup->Mode(), SettingMode::Idle);
    }
}

TEST_F(SettingModesTest, TheDateAndTimeBoxHasItsFontPlaceAndTheFocus) {
    Open(SettingMode::ViewerSetting);
    auto* box = popup->item<QLineEdit>(SettingPopup::kDateTimeBoxId);
    EXPECT_EQ(box->geometry(), QRect(26, 294, 245, 18));
    EXPECT_EQ(box->font().pixelSize(), 18);
    EXPECT_TRUE(box->font().families().contains("DejaVu Sans Condensed"));
    EXPECT_EQ(popup->focusWidget(), box);
}

TEST_F(SettingModesTest, EachModeDrawsItsFrameTitleAndTexts) {
    std::vector<QRect> titles;
    for (const ModeCase& mode : kModes) {
        SCOPED_TRACE(static_cast<int>(mode.mode));
        Open(mode.mode);
        const QImage& p = picture();
        EXPECT_EQ(p.size(), QSize(377, 690)) << "the back buffer holds the tallest mode";
        EXPECT_EQ(p.pixel(0, 0), kGrey);
        EXPECT_EQ(p.pixel(376, mode.height - 1), kGrey);
        EXPECT_EQ(p.pixel(188, mode.height - 1), kGrey);
        EXPECT_EQ(p.pixel(1, 1), kBlack);
        EXPECT_EQ(p.pixel(375, mode.height - 2), kBlack);
        // The rule: two pixels from (11, 39) to (361, 39).
        EXPECT_EQ(p.pixel(11, 39), kRuleGrey);
        EXPECT_EQ(p.pixel(360, 40), kRuleGrey);
        EXPECT_EQ(p.pixel(10, 39), kBlack);
        EXPECT_EQ(p.pixel(361, 39), kBlack);
        EXPECT_EQ(p.pixel(200, 41), kBlack);

        const QRect title = BoundsOf(p, QRect(11, 0, 300, 38), IsTitleInk);
        ASSERT_FALSE(title.isEmpty());
        EXPECT_FALSE(BoundsOf(p, title, Exactly(kTitleGreen)).isEmpty());
        EXPECT_GE(title.left(), 16);
        EXPECT_LE(title.left(), 20);
        EXPECT_GE(title.top(), 9);
        titles.push_back(title);
        Click(SettingPopup::kExitId);
    }
    // "캡쳐" and "설정" are two characters, "파일 저장" five.
    EXPECT_GT(titles[1].width(), titles[0].width() * 2);
    EXPECT_GT(titles[1].width(), titles[2].width() * 2);
}

TEST_F(SettingModesTest, CaptureAndFileSaveShowTheirCaptionsAndTheFileSaveSquares) {
    const QImage unticked = resources::Bitmap(resources::kBitmapTickBox);
    const QImage ticked = resources::Bitmap(resources::kBitmapTickBoxTicked);
    std::vector<QImage> captions;
    for (SettingMode mode : {SettingMode::Capture, SettingMode::FileSave}) {
        Open(mode);
        const QImage& p = picture();
        captions.push_back(p.copy(21, 121, 200, 22));
        const QRect caption = BoundsOf(p, QRect(16, 115, 200, 30), IsGreyInk);
        ASSERT_FALSE(caption.isEmpty());
        EXPECT_LE(caption.left(), 24);
        const QRect folderCaption = BoundsOf(p, QRect(16, 48, 200, 26), IsGreyInk);
        ASSERT_FALSE(folderCaption.isEmpty()) << "\"Save Directory\"";
        EXPECT_LE(folderCaption.left(), 24);
        const QRect front = BoundsOf(p, QRect(50, 145, 80, 26), IsWhiteInk);
        const QRect rear = BoundsOf(p, QRect(180, 145, 80, 26), IsWhiteInk);
        ASSERT_FALSE(front.isEmpty());
        ASSERT_FALSE(rear.isEmpty());
        EXPECT_LE(front.left(), 57);
        EXPECT_LE(rear.left(), 187);
        EXPECT_GT(front.width(), rear.width()) << "\"Front\" is the longer word";
        EXPECT_EQ(p.copy(21, 149, 25, 25) == unticked, mode == SettingMode::FileSave);
        EXPECT_EQ(p.copy(136, 149, 25, 25) == unticked, mode == SettingMode::FileSave);
        Click(SettingPopup::kExitId);
    }
    EXPECT_NE(captions[0], captions[1]) << "\"Capture Screen\" and \"Record Screen\"";

    Open(SettingMode::FileSave);
    clickAt(21, 149);
    EXPECT_EQ(picture().copy(21, 149, 25, 25), ticked);
    EXPECT_EQ(picture().copy(136, 149, 25, 25), unticked);
    clickAt(160, 173);
    EXPECT_EQ(picture().copy(136, 149, 25, 25), ticked);
    EXPECT_TRUE(popup->ClipTarget().front && popup->ClipTarget().rear);
    // Just outside the squares.
    for (const QPoint& at : {QPoint(46, 160), QPoint(30, 174), QPoint(135, 160), QPoint(161, 160), QPoint(30, 148)})
        clickAt(at.x(), at.y());
    EXPECT_TRUE(popup->ClipTarget().front && popup->ClipTarget().rear);
    EXPECT_FALSE(popup->CaptureTarget().front || popup->CaptureTarget().rear);
}

TEST_F(SettingModesTest, TheViewerSettingModeDrawsItsLabelsInGrey) {
    Open(SettingMode::ViewerSetting);
    for (int y : {51, 121, 191, 281, 351, 421}) {
        SCOPED_TRACE(y);
        const QRect label = BoundsOf(picture(), QRect(21, y, 200, 18), IsGreyInk);
        ASSERT_FALSE(label.isEmpty());
        EXPECT_FALSE(BoundsOf(picture(), label, Exactly(kGrey)).isEmpty());
        EXPECT_LE(label.left(), 24);
        EXPECT_GT(label.width(), 60);
    }
}

TEST_F(SettingModesTest, CaptureModeButtons) {
    Open(SettingMode::Capture);
    clickRadio(1085);
    Click(SettingPopup::kActionId);
    expectIdle();
    EXPECT_EQ(popup->Choices().captureSource, 1) << "read for the capture";
    EXPECT_TRUE(saveClips().empty());

    for (int id : {SettingPopup::kExitId, SettingPopup::kCloseId}) {
        Open(SettingMode::Capture);
        EXPECT_TRUE(popup->IsDlgButtonChecked(1085)) << "kept between openings";
        Click(id);
        expectIdle();
    }
    EXPECT_EQ(popup->CurrentConfig(), WithAppliedLevels(ViewerConfig{}));
}

TEST_F(SettingModesTest, FileSaveSendsItsFlagsToTheMainWindow) {
    Open(SettingMode::FileSave);
    clickAt(30, 160);   // front
    Click(SettingPopup::kActionId);
    expectIdle();
    ASSERT_EQ(saveClips().size(), 1u);
    EXPECT_EQ(saveClips()[0].wParam, 1u);
    EXPECT_EQ(saveClips()[0].lParam, 0);

    Open(SettingMode::FileSave);
    clickAt(140, 160);  // rear, the front flag kept
    Click(SettingPopup::kActionId);
    ASSERT_EQ(saveClips().size(), 2u);
    EXPECT_EQ(saveClips()[1].wParam, 1u);
    EXPECT_EQ(saveClips()[1].lParam, 1);

    Open(SettingMode::FileSave);
    clickAt(30, 160);   // front off
    Click(SettingPopup::kActionId);
    ASSERT_EQ(saveClips().size(), 3u);
    EXPECT_EQ(saveClips()[2].wParam, 0u);
    EXPECT_EQ(saveClips()[2].lParam, 1);

    for (int id : {SettingPopup::kExitId, SettingPopup::kCloseId}) {
        Open(SettingMode::FileSave);
        Click(id);
        expectIdle();
    }
    EXPECT_EQ(saveClips().size(), 3u) << "exit and close send nothing";
    EXPECT_FALSE(popup->CaptureTarget().front || popup->CaptureTarget().rear);
}

TEST_F(SettingModesTest, ViewerSettingButtonsKeepTheBoxTexts) {
    const std::string onSave = "2011년 05월 12일 10: 20:30";
    const std::string onExit = "2011년 05월 12일 10: 21:00";
    Open(SettingMode::ViewerSetting);
    popup->SetDlgItemText(SettingPopup::kDateTimeBoxId, onSave);
    Click(SettingPopup::kActionId);
    EXPECT_EQ(popup->CurrentConfig().timeTextOnSave, onSave);
    EXPECT_EQ(save().Visible(), SettingSavePopup::kShown);
    EXPECT_EQ(save().pos(), QPoint(514, 398)) << "centred over the main window";
    EXPECT_EQ(popup->Mode(), SettingMode::ViewerSetting);
    EXPECT_TRUE(popup->isVisible());

    // While the save-settings window is up, none of this window's buttons does anything.
    popup->SetDlgItemText(SettingPopup::kDateTimeBoxId, onExit);
    for (int id : {SettingPopup::kExitId, SettingPopup::kCloseId, SettingPopup::kActionId}) {
        Click(id);
        EXPECT_EQ(popup->Mode(), SettingMode::ViewerSetting) << id;
        EXPECT_TRUE(popup->isVisible()) << id;
    }
    EXPECT_EQ(popup->CurrentConfig().timeTextOnSave, onSave);
    EXPECT_EQ(popup->CurrentConfig().timeTextOnClose, "");
    ClickSave(SettingSavePopup::kExitId);
    EXPECT_EQ(save().Visible(), SettingSavePopup::kHidden);
    EXPECT_EQ(popup->Mode(), SettingMode::ViewerSetting);

    Click(SettingPopup::kExitId);
    expectIdle();
    EXPECT_EQ(popup->CurrentConfig().timeTextOnClose, onExit);

    Open(SettingMode::ViewerSetting);
    Click(SettingPopup::kActionId);
    ClickSave(SettingSavePopup::kCloseId);
    EXPECT_EQ(save().Visible(), SettingSavePopup::kHidden);
    Click(SettingPopup::kCloseId);
    expectIdle();
    EXPECT_EQ(popup->CurrentConfig().timeTextOnClose, "") << "close empties it";
}

TEST_F(SettingModesTest, BothWindowsSwallowTheClosingKeysAndDragByTheirTopBand) {
    Open(SettingMode::ViewerSetting);
    Click(SettingPopup::kActionId);
    for (QWidget* window : {static_cast<QWidget*>(popup), static_cast<QWidget*>(&save())}) {
        PressKey(window, Qt::Key_Return);
        PressKey(window, Qt::Key_Escape);
        PressKey(window, Qt::Key_F4);
        PressKey(window, Qt::Key_F4, Qt::AltModifier);
        window->close();
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_EQ(popup->Mode(), SettingMode::ViewerSetting);
    EXPECT_EQ(save().Visible(), SettingSavePopup::kShown);

    using platform::MAKELPARAM;
    EXPECT_EQ(platform::SendMessage(popup->hwnd(), platform::WM_NCHITTEST, 0, MAKELPARAM(600, 190 + 34)),
              platform::HTCAPTION);
    EXPECT_EQ(platform::SendMessage(popup->hwnd(), platform::WM_NCHITTEST, 0, MAKELPARAM(600, 190 + 35)),
              platform::HTCLIENT);
    EXPECT_EQ(platform::SendMessage(save().hwnd(), platform::WM_NCHITTEST, 0, MAKELPARAM(600, 398 + 34)),
              platform::HTCAPTION);
    EXPECT_EQ(platform::SendMessage(save().hwnd(), platform::WM_NCHITTEST, 0, MAKELPARAM(600, 398 + 35)),
              platform::HTCLIENT);
}

} // namespace
} // namespace settings::test

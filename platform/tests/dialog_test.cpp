// Dialogs built from a template, the bitmap button, the tab and check-list controls, and the
// standard-dialog hooks.

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <thread>

#include "platform/bitmap_button.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/dialogs.h"
#include "platform/displays.h"
#include "gui_support.h"
#include "platform/fonts.h"
#include "recorder_window.h"

namespace platform {
namespace {

constexpr int IDC_ONE = 1001;
constexpr int IDC_TWO = 1002;
constexpr int IDC_YES = 1003;
constexpr int IDC_NO = 1004;
constexpr int IDC_HIDDEN = 1005;
constexpr int IDC_PASSWORD = 1006;
constexpr int IDC_BITMAP = 1010;
constexpr int IDC_LIST = 1020;
constexpr int IDC_TABS = 1030;
constexpr int IDC_PICTURE = 1040;
constexpr int kPictureBitmap = 7;

QImage TemplateBitmap(int id) {
    QImage image(20 + id, 10, QImage::Format_RGB32);
    image.fill(Qt::green);
    return image;
}

constexpr ControlTemplate kControls[] = {
    {IDOK, ControlKind::PushButton, "OK", 10, 170, 60, 22, kStyleDefault},
    {IDCANCEL, ControlKind::PushButton, "취소", 80, 170, 60, 22},
    {IDC_ONE, ControlKind::RadioButton, "1 Channel", 10, 10, 100, 20, kStyleGroup},
    {IDC_TWO, ControlKind::RadioButton, "2 Channel", 10, 30, 100, 20},
    {-1, ControlKind::Label, "암호", 10, 50, 100, 20},  // no group style: the group goes on
    {IDC_YES, ControlKind::RadioButton, "Yes", 10, 70, 100, 20, kStyleGroup},
    {IDC_NO, ControlKind::RadioButton, "No", 10, 90, 100, 20},
    {IDC_HIDDEN, ControlKind::CheckBox, "hidden", 10, 110, 100, 20, kStyleHidden},
    {IDC_PASSWORD, ControlKind::Edit, "", 10, 130, 100, 20, kStylePassword | kStyleDisabled},
    {IDC_BITMAP, ControlKind::BitmapButton, "bitmap", 200, 10, 40, 40},
    {IDC_LIST, ControlKind::CheckList, "", 120, 10, 70, 80, kStyleNotify},
    {IDC_TABS, ControlKind::TabControl, "", 120, 100, 190, 60},
    {IDC_PICTURE, ControlKind::Picture, "", 250, 60, 5, 5, kStyleNone, kPictureBitmap},
};

constexpr DialogTemplate kTemplate{900, 320, 200, "시험 대화상자", "MS Shell Dlg", 9,
                                   kDialogPopup | kDialogAcceptFiles, kControls, &TemplateBitmap};

class TestDialog : public Dialog {
public:
    TestDialog() : Dialog(kTemplate) {}

    int createResult = 0;
    bool endWhileInitialising = false;
    bool consumeEscape = false;
    bool controlsAtCreate = true;
    bool controlsAtInit = false;
    int oks = 0;
    int cancels = 0;
    std::vector<std::pair<int, UINT>> commands;

protected:
    int OnCreate() override {
        controlsAtCreate = GetDlgItem(IDOK) != nullptr;
        return createResult;
    }
    bool OnInitDialog() override {
        controlsAtInit = GetDlgItem(IDOK) != nullptr;
        if (endWhileInitialising) EndDialog(7);
        return true;
    }
    void OnOK() override {
        ++oks;
        Dialog::OnOK();
    }
    void OnCancel() override {
        ++cancels;
        Dialog::OnCancel();
    }
    bool OnCommand(int id, UINT code) override {
        commands.emplace_back(id, code);
        return true;
    }
    bool PreTranslateMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (consumeEscape && msg == WM_KEYDOWN && wParam == VK_ESCAPE) return true;
        return Dialog::PreTranslateMessage(msg, wParam, lParam);
    }
};

// Runs the dialog modally; a dialog that does not end by itself ends with -99 after a while
// instead of hanging the test.
int RunModal(TestDialog& dialog, const std::function<void()>& whileShown) {
    QTimer::singleShot(0, &dialog, whileShown);
    QTimer::singleShot(20000, &dialog, [&dialog] { dialog.EndDialog(-99); });
    return dialog.DoModal();
}

TEST(Dialog, BuildsItsControlsFromTheTemplateAndStaysHidden) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_FALSE(dialog.controlsAtCreate);
    EXPECT_TRUE(dialog.controlsAtInit);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.size(), QSize(320, 200));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("시험 대화상자"));
    EXPECT_TRUE(dialog.acceptDrops());
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);

    ASSERT_NE(dialog.item<QPushButton>(IDOK), nullptr);
    EXPECT_EQ(dialog.GetDlgItemText(IDCANCEL), "취소");
    ASSERT_NE(dialog.item<QRadioButton>(IDC_ONE), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(IDC_ONE)->geometry(), QRect(10, 10, 100, 20));
    ASSERT_NE(dialog.bitmapButton(IDC_BITMAP), nullptr);
    EXPECT_EQ(dialog.bitmapButton(IDC_BITMAP)->controlId(), IDC_BITMAP);
    EXPECT_NE(dialog.item<CheckListBox>(IDC_LIST), nullptr);
    EXPECT_NE(dialog.item<TabControl>(IDC_TABS), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(-1), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);

    EXPECT_TRUE(dialog.GetDlgItem(IDC_HIDDEN)->isHidden());
    const auto* password = dialog.item<QLineEdit>(IDC_PASSWORD);
    ASSERT_NE(password, nullptr);
    EXPECT_FALSE(password->isEnabled());
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.GetDlgItem(IDC_PICTURE)->size(), TemplateBitmap(kPictureBitmap).size());

    dialog.ShowDlgItem(IDC_HIDDEN, true);
    dialog.EnableDlgItem(IDC_PASSWORD, true);
    EXPECT_FALSE(dialog.GetDlgItem(IDC_HIDDEN)->isHidden());
    EXPECT_TRUE(password->isEnabled());
    dialog.SetDlgItemText(IDC_PASSWORD, "1234");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_PASSWORD), "1234");
    EXPECT_TRUE(std::count(dialog.commands.begin(), dialog.commands.end(), std::make_pair(IDC_PASSWORD, EN_CHANGE)));
}

TEST(Dialog, OnCreateReturningMinusOneBuildsNothing) {
    TestDialog dialog;
    dialog.createResult = -1;
    EXPECT_FALSE(dialog.Create());
    EXPECT_EQ(dialog.GetDlgItem(IDOK), nullptr);
    EXPECT_FALSE(dialog.controlsAtInit);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(Dialog, RadioButtonsFormGroupsFromTheGroupStyle) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.item<QRadioButton>(IDC_ONE)->click();
    dialog.item<QRadioButton>(IDC_YES)->click();
    dialog.item<QRadioButton>(IDC_TWO)->click();
    EXPECT_FALSE(dialog.IsDlgButtonChecked(IDC_ONE));
    EXPECT_TRUE(dialog.IsDlgButtonChecked(IDC_TWO));
    EXPECT_TRUE(dialog.IsDlgButtonChecked(IDC_YES)) << "the second group is separate";
    EXPECT_EQ(dialog.commands, (std::vector<std::pair<int, UINT>>{
                                   {IDC_ONE, BN_CLICKED}, {IDC_YES, BN_CLICKED}, {IDC_TWO, BN_CLICKED}}));

    dialog.CheckDlgButton(IDC_NO, true);
    EXPECT_FALSE(dialog.IsDlgButtonChecked(IDC_YES));
    dialog.CheckDlgButton(IDC_TWO, false);  // a group may have no choice, as on Windows
    EXPECT_FALSE(dialog.IsDlgButtonChecked(IDC_ONE));
    EXPECT_FALSE(dialog.IsDlgButtonChecked(IDC_TWO));
    dialog.item<QRadioButton>(IDC_ONE)->click();
    EXPECT_TRUE(dialog.IsDlgButtonChecked(IDC_ONE));
    EXPECT_FALSE(dialog.IsDlgButtonChecked(IDC_TWO));
}

TEST(Dialog, ModalLoopEndsThroughOkAndCancel) {
    TestDialog dialog;
    EXPECT_EQ(RunModal(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); }), IDOK);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(RunModal(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }), IDCANCEL);
    EXPECT_EQ(RunModal(dialog, [&] { dialog.item<QPushButton>(IDOK)->click(); }), IDOK);
    EXPECT_EQ(RunModal(dialog, [&] { dialog.item<QPushButton>(IDCANCEL)->click(); }), IDCANCEL);
    EXPECT_EQ(RunModal(dialog, [&] { dialog.close(); }), IDCANCEL) << "the close box cancels";
    EXPECT_EQ(dialog.oks, 2);
    EXPECT_EQ(dialog.cancels, 3);
    EXPECT_TRUE(dialog.commands.empty());
}

TEST(Dialog, SwallowedOrPreTranslatedKeysDoNotEndIt) {
    TestDialog dialog;
    const int result = RunModal(dialog, [&] {
        dialog.setSwallowedKeys(kSwallowPopupKeys);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.close();
        QTest::keyClick(&dialog, Qt::Key_F4, Qt::AltModifier);
        dialog.setSwallowedKeys(kSwallowNone);
        dialog.consumeEscape = true;
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        dialog.EndDialog(5);
    });
    EXPECT_EQ(result, 5);
    EXPECT_EQ(dialog.oks, 0);
    EXPECT_EQ(dialog.cancels, 0);
}

TEST(Dialog, EndedWhileInitialisingItNeverShows) {
    TestDialog dialog;
    dialog.endWhileInitialising = true;
    bool shown = false;
    EXPECT_EQ(RunModal(dialog, [&] { shown = dialog.isVisible(); }), 7);
    EXPECT_FALSE(shown);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(Dialog, DestroyedWhileRunningModallyReturnsMinusOne) {
    auto* dialog = new TestDialog;
    QTimer::singleShot(0, [dialog] { delete dialog; });
    EXPECT_EQ(dialog->DoModal(), -1);
}

// --- bitmap button ------------------------------------------------------------------------------

QImage Filled(QColor colour) {
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class BitmapButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent.resize(200, 100);
        button->LoadBitmaps(Filled(Qt::red), Filled(Qt::blue));
        button->MoveWindow(10, 10, 5, 5);
        button->SizeToContent();
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }

    int clicks() const {
        const auto commands = parent.Of(WM_COMMAND);
        return static_cast<int>(std::count_if(commands.begin(), commands.end(), [](const auto& m) {
            return m.wParam == MAKEWPARAM(55, BN_CLICKED);
        }));
    }

    QRgb shownColour() { return button->grab().toImage().pixel(15, 10); }

    tripdesk::test::RecorderWindow parent;
    BitmapButton* button = new BitmapButton(55, &parent);
};

TEST_F(BitmapButtonTest, ClickInsideSendsTheCommandToItsParent) {
    EXPECT_EQ(button->size(), QSize(30, 20));
    EXPECT_EQ(shownColour(), QColor(Qt::red).rgb());

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(button->isPressedLook());
    EXPECT_EQ(shownColour(), QColor(Qt::blue).rgb());
    QTest::mouseMove(button, QPoint(50, 50));
    EXPECT_FALSE(button->isPressedLook());
    QTest::mouseMove(button, QPoint(6, 6));
    EXPECT_TRUE(button->isPressedLook());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_FALSE(button->isPressedLook());
    EXPECT_EQ(clicks(), 1);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(button, QPoint(50, 50));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(clicks(), 1) << "released outside: no click";

    button->Click();
    EXPECT_EQ(clicks(), 2);
}

TEST_F(BitmapButtonTest, DisabledOrHiddenButtonsCannotBeClicked) {
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    button->Click();
    EXPECT_EQ(clicks(), 0);

    button->setEnabled(true);
    button->hide();
    button->Click();
    EXPECT_EQ(clicks(), 0);

    button->show();
    button->Click();
    EXPECT_EQ(clicks(), 1);
}

// --- tab and check-list controls ----------------------------------------------------------------

TEST(Controls, NotifyUserChangesOnly) {
    tripdesk::test::RecorderWindow parent;
    parent.resize(300, 200);
    auto* tabs = new TabControl(31, &parent);
    tabs->setGeometry(0, 0, 300, 100);
    auto* list = new CheckListBox(32, true, &parent);
    list->setGeometry(0, 100, 300, 100);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));

    tabs->InsertItem(0, "녹화");
    tabs->InsertItem(1, "설정");
    tabs->InsertItem(2, "시간");
    tabs->SetCurSel(2);
    EXPECT_EQ(tabs->GetItemCount(), 3);
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_GT(tabs->pageArea().top(), 0);
    EXPECT_EQ(list->AddString("REC_0001.mp4"), 0);
    EXPECT_EQ(list->AddString("REC_0002.mp4"), 1);
    list->SetCheck(1, 1);
    EXPECT_EQ(list->GetCheck(1), 1);
    EXPECT_EQ(list->GetCheck(5), 0);
    EXPECT_EQ(list->GetText(0), "REC_0001.mp4");
    EXPECT_EQ(list->GetText(-1), "");
    EXPECT_TRUE(parent.Of(WM_COMMAND).empty());

    auto* bar = tabs->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(tabs->GetCurSel(), 1);
    list->list()->item(0)->setCheckState(Qt::Checked);  // as a click on the tick box does
    list->list()->setCurrentRow(1);
    const auto commands = parent.Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(31, TCN_SELCHANGE));
    EXPECT_EQ(commands[1].wParam, MAKEWPARAM(32, CLBN_CHKCHANGE));
    EXPECT_EQ(commands[2].wParam, MAKEWPARAM(32, LBN_SELCHANGE));
    EXPECT_EQ(list->GetCheck(0), 1);

    list->ResetContent();
    EXPECT_EQ(list->GetCount(), 0);
}

// --- standard dialogs, fonts, displays ----------------------------------------------------------

TEST(StandardDialogs, HooksAnswerOnTheUiThread) {
    std::vector<MessageBoxRequest> shown;
    std::thread::id hookThread;
    SetMessageBoxHook([&](const MessageBoxRequest& request) {
        shown.push_back(request);
        hookThread = std::this_thread::get_id();
        return IDYES;
    });
    int answer = 0;
    std::atomic<bool> done{false};
    std::thread player([&] {
        answer = MessageBox(nullptr, "저장디스크를 확인하여 주십시오.", "TripDesk", MB_YESNO);
        done = true;
    });
    ASSERT_TRUE(tripdesk::test::WaitUntil([&] { return done.load(); }));
    player.join();
    SetMessageBoxHook(nullptr);
    EXPECT_EQ(answer, IDYES);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "저장디스크를 확인하여 주십시오.");
    EXPECT_EQ(shown[0].type, MB_YESNO);
    EXPECT_EQ(hookThread, std::this_thread::get_id());

    SetFolderBrowserHook([](const FolderBrowseRequest& request) -> std::optional<std::string> {
        return request.startFolder + "/chosen";
    });
    EXPECT_EQ(BrowseForFolder({nullptr, "폴더", "/media/card", "/home"}), "/media/card/chosen");
    SetFolderBrowserHook(nullptr);
}

TEST(Fonts, WindowsFacesDrawKoreanTextAtNinetySixDotsPerInch) {
    EXPECT_EQ(PointsToPixels(9), 12);
    EXPECT_EQ(PointsToPixels(10), 13);
    EXPECT_EQ(PointsToPixels(12), 16);
    const QFont tahoma = WinFont("Tahoma", 10, true);
    EXPECT_EQ(tahoma.pixelSize(), 13);
    EXPECT_TRUE(tahoma.bold());
    EXPECT_TRUE(tahoma.families().contains("NanumGothic"));

    QImage canvas(80, 30, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setFont(WinFont("굴림", 12));
        painter.setPen(Qt::black);
        painter.drawText(2, 22, QString::fromUtf8("한글"));
    }
    int inked = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) inked += qGray(canvas.pixel(x, y)) < 128;
    EXPECT_GT(inked, 30) << "Korean glyphs were not drawn";
}

TEST(Displays, EnumerateScreensAndOverrideTheDesktop) {
    const auto displays = EnumDisplays();
    ASSERT_FALSE(displays.empty());
    EXPECT_GT(displays[0].width, 0);
    EXPECT_EQ(DesktopRect().width(), displays[0].width);
    SetDesktopRectOverride(QRect(0, 0, 800, 600));
    EXPECT_EQ(DesktopRect(), QRect(0, 0, 800, 600));
    SetDesktopRectOverride(std::nullopt);
}

} // namespace
} // namespace platform

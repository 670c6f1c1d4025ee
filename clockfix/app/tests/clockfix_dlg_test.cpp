// Clockfix's main window on the offscreen platform over a fake drive root: the start with and
// without the recorder's card, cards plugged and pulled while it runs, invalid disks, the clock
// file written from its boxes, its keys and its system menu.
#include <unistd.h>

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QTest>
#include <ctime>

#include "about_dlg.h"
#include "clockfix_window_fixture.h"
#include "gui_support.h"
#include "platform/displays.h"
#include "platform/number_text.h"
#include "skin/skin_lists.h"
#include "test_folders.h"

namespace clockfix::test {
namespace {

using tripdesk::test::WaitUntil;

const std::vector<int> kDefaultLevels = {0, 1, 1, 0};   // quality 3, sensitivity 2, sound 2, frame 3

bool ActionsEnabled(const CClockfixDlg& dialog) {
    bool all = dialog.GetDlgItem(IDC_SET_TIME)->isEnabled() && dialog.GetDlgItem(IDC_FORMAT)->isEnabled();
    bool any = dialog.GetDlgItem(IDC_SET_TIME)->isEnabled() || dialog.GetDlgItem(IDC_FORMAT)->isEnabled();
    for (const auto& group : kValueGroups)
        for (int id : group) {
            all = all && dialog.GetDlgItem(id)->isEnabled();
            any = any || dialog.GetDlgItem(id)->isEnabled();
        }
    EXPECT_EQ(all, any) << "actions and groups go on and off together";
    return all;
}

std::time_t BoxesTime(const CClockfixDlg& dialog) {
    int fields[6];
    for (std::size_t i = 0; i < 6; ++i) fields[i] = platform::ParseLeadingInt(dialog.GetDlgItemText(kClockBoxIds[i]));
    std::tm local{};
    local.tm_year = fields[0] - 1900;
    local.tm_mon = fields[1] - 1;
    local.tm_mday = fields[2];
    local.tm_hour = fields[3];
    local.tm_min = fields[4];
    local.tm_sec = fields[5];
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST_F(ClockfixWindow, ARecorderCardAtStartIsPreselectedAndItsValuesRead) {
    plugCard("media/kim/STICK", "STICK");
    const std::string card = plugCard("media/kim/KX-310T", "KX-310T");
    WriteByte(card, "setframe.dat", "\x01");
    WriteByte(card, "setsound.dat", "\x03");
    WriteByte(card, "setquality.dat", "\x02");
    WriteByte(card, "setsensitivity.dat", "\x01");

    // Started from another folder, the pictures are still found beside the program.
    const auto elsewhere = tripdesk::test::FreshFolder("elsewhere");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere);
    const std::time_t before = std::time(nullptr);
    auto dialog = start();
    const std::time_t after = std::time(nullptr);
    std::filesystem::current_path(previous);

    EXPECT_EQ(dialog->backgroundMode(), skin::BackgroundMode::Picture);
    EXPECT_EQ(dialog->backgroundPicture().size(), QSize(420, 260));
    EXPECT_EQ(dialog->backgroundColour(), QColor(100, 100, 100));
    EXPECT_EQ(dialog->entryCount(), 2);
    EXPECT_EQ(dialog->preselectedEntry(), 1);
    EXPECT_EQ(dialog->mountPoints()[1], card);
    EXPECT_EQ(dialog->driveList()->GetCurSel(), 1);
    EXPECT_EQ(dialog->GetDlgItemText(IDC_DRIVE_LIST), "(KX-310T) " + card);
    EXPECT_EQ(dialog->recorderValues().frame, 1);
    EXPECT_EQ(dialog->recorderValues().sound, 3);
    EXPECT_EQ(CheckedLevels(*dialog), (std::vector<int>{1, 2, 0, 2}));
    EXPECT_TRUE(ActionsEnabled(*dialog));
    EXPECT_TRUE(dialog->GetDlgItem(IDC_DRIVE_LIST)->isEnabled());
    EXPECT_TRUE(boxes.empty());

    EXPECT_GE(BoxesTime(*dialog), before);
    EXPECT_LE(BoxesTime(*dialog), after);
    const std::string units[6] = {"년", "월", "일", "시", "분", "초"};
    for (std::size_t i = 0; i < 6; ++i) {
        const std::string text = dialog->GetDlgItemText(kClockBoxIds[i]);
        EXPECT_EQ(text.substr(text.size() - units[i].size()), units[i]) << text;
    }
    EXPECT_EQ(dialog->GetDlgItemText(IDC_HEADING), "RDX-4400 시간 설정");
    EXPECT_TRUE(dialog->GetDlgItem(IDC_APPLY)->isHidden());
}

TEST_F(ClockfixWindow, WithoutRemovableDrivesTheListAndTheActionsAreOff) {
    fake.disk("nvme0n1", "259:0", "0", {{"nvme0n1p1", "259:1"}});
    fake.mount("259:1", "/", fake.folder("mnt/data"), "ext4", "/dev/nvme0n1p1");
    platform::SetDesktopRectOverride(QRect(100, 50, 1000, 800));
    auto dialog = start();
    platform::SetDesktopRectOverride(std::nullopt);
    EXPECT_EQ(dialog->pos(), QPoint(390, 320)) << "in the middle of the desktop";
    EXPECT_EQ(dialog->entryCount(), 0);
    EXPECT_EQ(dialog->preselectedEntry(), -1);
    EXPECT_FALSE(dialog->GetDlgItem(IDC_DRIVE_LIST)->isEnabled());
    EXPECT_FALSE(ActionsEnabled(*dialog));
    EXPECT_EQ(CheckedLevels(*dialog), kDefaultLevels);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ClockfixWindow, ADriveRecorderCardIsOnlyRecognisedAfterADeviceChange) {
    const std::string recorder = plugCard("media/kim/Drive Recorder", "Drive\\x20Recorder");
    WriteByte(recorder, "setframe.dat", "\x02");
    auto dialog = start();
    EXPECT_EQ(dialog->preselectedEntry(), -1) << "not at start";
    EXPECT_EQ(dialog->driveList()->GetCurSel(), -1);
    EXPECT_TRUE(dialog->GetDlgItem(IDC_DRIVE_LIST)->isEnabled());
    EXPECT_FALSE(ActionsEnabled(*dialog));

    // A second card comes; the monitor sees the mount table change.
    const std::string formatted = plugCard("media/kim/KX-310T", "KX-310T");
    ASSERT_TRUE(WaitUntil([&] { return dialog->entryCount() == 2; }, std::chrono::seconds(10)));
    EXPECT_EQ(dialog->preselectedEntry(), 0) << "Drive Recorder, whatever else is there";
    EXPECT_EQ(dialog->GetDlgItemText(IDC_DRIVE_LIST), "(Drive Reco) " + recorder);
    EXPECT_TRUE(ActionsEnabled(*dialog));
    EXPECT_EQ(dialog->recorderValues().frame, 2);
    EXPECT_EQ(CheckedLevels(*dialog), (std::vector<int>{0, 1, 1, 1}));

    fake.unmount(recorder);
    ASSERT_TRUE(WaitUntil([&] { return dialog->entryCount() == 1; }, std::chrono::seconds(10)));
    EXPECT_EQ(dialog->preselectedEntry(), -1) << "KX-310T is not looked for after a change";
    EXPECT_EQ(dialog->driveList()->GetCurSel(), -1);
    EXPECT_EQ(dialog->GetDlgItemText(IDC_DRIVE_LIST), "");
    EXPECT_FALSE(ActionsEnabled(*dialog));
    EXPECT_EQ(CheckedLevels(*dialog), kDefaultLevels);
    EXPECT_TRUE(dialog->GetDlgItem(IDC_DRIVE_LIST)->isEnabled());

    fake.unmount(formatted);
    ASSERT_TRUE(WaitUntil([&] { return dialog->entryCount() == 0; }, std::chrono::seconds(10)));
    EXPECT_FALSE(dialog->GetDlgItem(IDC_DRIVE_LIST)->isEnabled());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ClockfixWindow, AVanishedMountPointIsAnInvalidDiskBeforeAndAfterAGoodOne) {
    const std::string gone = plugCard("media/kim/KX-310T", "KX-310T");
    const std::string good = plugCard("media/kim/GOOD", "GOOD");
    std::filesystem::remove_all(gone);
    auto dialog = start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "잘못된 디스크입니다");
    EXPECT_EQ(boxes[0].caption, "Clockfix");
    EXPECT_FALSE(ActionsEnabled(*dialog));
    EXPECT_EQ(dialog->driveList()->GetCurSel(), -1) << "nothing stays selected";
    EXPECT_EQ(dialog->GetDlgItemText(IDC_DRIVE_LIST), "");

    dialog->driveList()->SetCurSel(1);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(ActionsEnabled(*dialog));
    dialog->driveList()->SetCurSel(0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "잘못된 디스크입니다");
    EXPECT_FALSE(ActionsEnabled(*dialog)) << "an earlier drive's actions do not stay live";
}

TEST_F(ClockfixWindow, SetTimeWritesTheClockFileFromTheBoxes) {
    const std::string card = plugCard("media/kim/KX-310T", "KX-310T");
    auto dialog = start();
    const std::string texts[6] = {"2011년", "5월", "12일", "9시", "7분", "3초"};
    for (std::size_t i = 0; i < 6; ++i) dialog->SetDlgItemText(kClockBoxIds[i], texts[i]);
    dialog->show();
    QTest::mouseClick(dialog->GetDlgItem(IDC_SET_TIME), Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "설정치가 변경되었습니다.");
    EXPECT_EQ(boxes[0].caption, "Clockfix");
    std::ifstream file(card + "/Setup/clockfix.dat", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, "2011-05-12-09-07-03");

    dialog->SetDlgItemText(kClockBoxIds[1], "13월");
    QTest::mouseClick(dialog->GetDlgItem(IDC_SET_TIME), Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "잘못된 날짜/시간입니다");
}

TEST_F(ClockfixWindow, EnterAndEscapeAreSwallowedTheCloseButtonEnds) {
    plugCard("media/kim/KX-310T", "KX-310T");
    auto dialog = start();
    bool stillRunning = false;
    QTimer::singleShot(0, dialog.get(), [&] {
        QTest::keyClick(dialog.get(), Qt::Key_Return);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QTest::keyClick(dialog->GetDlgItem(kClockBoxIds[0]), Qt::Key_Return);
        stillRunning = dialog->InModalLoop() && dialog->isVisible();
        QTest::mouseClick(dialog->GetDlgItem(IDC_CLOSE), Qt::LeftButton);
    });
    QTimer::singleShot(20000, dialog.get(), [&] { dialog->EndDialog(-99); });
    EXPECT_EQ(dialog->DoModal(), platform::IDCANCEL);
    EXPECT_TRUE(stillRunning);
}

TEST_F(ClockfixWindow, TheSystemMenuOpensTheAboutBoxWithCommandSixteen) {
    auto dialog = start();
    bool aboutShown = false;
    std::vector<std::string> items;
    QTimer::singleShot(0, dialog.get(), [&] {
        QTest::keyClick(dialog.get(), Qt::Key_Space, Qt::AltModifier);
        QMenu* menu = dialog->systemMenu();
        ASSERT_NE(menu, nullptr);
        QAction* about = nullptr;
        for (QAction* action : menu->actions()) {
            items.push_back(action->isSeparator() ? "-" : action->text().toStdString());
            if (action->data().toInt() == IDM_ABOUTBOX) about = action;
        }
        ASSERT_NE(about, nullptr);
        tripdesk::test::WhenModal<CAboutDlg>([&](CAboutDlg* box) {
            aboutShown = box->GetDlgItemText(platform::IDOK) == "확인";
            box->EndDialog(platform::IDOK);
            QTimer::singleShot(0, dialog.get(), [&] { dialog->EndDialog(7); });
        });
        about->trigger();
        menu->close();
    });
    QTimer::singleShot(20000, dialog.get(), [&] { dialog->EndDialog(-99); });
    EXPECT_EQ(dialog->DoModal(), 7);
    EXPECT_TRUE(aboutShown);
    EXPECT_EQ(items, (std::vector<std::string>{"닫기(&C)", "-", "Clockfix 정보(&A)..."}));
}

TEST_F(ClockfixWindow, ARightPressOpensTheSystemMenuWhoseCloseItemEnds) {
    auto dialog = start();
    bool opened = false;
    QTimer::singleShot(0, dialog.get(), [&] {
        QContextMenuEvent press(QContextMenuEvent::Mouse, QPoint(200, 250), dialog->mapToGlobal(QPoint(200, 250)));
        QCoreApplication::sendEvent(dialog.get(), &press);
        QMenu* menu = dialog->systemMenu();
        ASSERT_NE(menu, nullptr);
        opened = true;
        menu->actions().front()->trigger();
        menu->close();
    });
    QTimer::singleShot(20000, dialog.get(), [&] { dialog->EndDialog(-99); });
    EXPECT_EQ(dialog->DoModal(), platform::IDCANCEL);
    EXPECT_TRUE(opened);
}

} // namespace
} // namespace clockfix::test

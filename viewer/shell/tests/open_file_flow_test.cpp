// The open-file button through to the play list: choose a folder, tick, add, close.

#include <QCheckBox>
#include <QListWidget>

#include "catalogue/file_list_page.h"
#include "catalogue/files_open_popup.h"
#include "main_window_harness.h"
#include "platform/controls.h"
#include "shell/main_window_ids.h"

namespace shell::test {
namespace {

void Tick(catalogue::FileListPage& page, int line) {
    page.checkList()->list()->item(line)->setCheckState(Qt::Checked);
}

TEST_F(ShellTest, ChosenFolderTickedAndAddedFillsThePlayListInOrderWithoutDuplicates) {
    MainWindowHarness ui;
    // Written out of order; the window lists them sorted by name.
    const std::string later = ui.Pair(folder, "20110513_174538");
    const std::string earlier = ui.Pair(folder, "20110512_093015");
    const std::string middle = ui.Pair(folder, "20110512_093021");
    std::vector<std::string> browsedFrom;
    platform::SetFolderBrowserHook([&](const platform::FolderBrowseRequest& request) {
        browsedFrom.push_back(request.startFolder);
        return std::optional<std::string>(folder.string());
    });

    ui.Click(IDC_OPEN_FILE);
    catalogue::FilesOpenPopup* popup = ui.dialog.filesOpenPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->ChannelMode(), 2);
    qobject_cast<QAbstractButton*>(popup->GetDlgItem(1245))->click();  // choose folder
    catalogue::FileListPage& page = popup->Page(catalogue::RecordingKind::Infinity);
    ASSERT_EQ(page.LineCount(), 3);
    Tick(page, 2);
    Tick(page, 0);
    qobject_cast<QAbstractButton*>(popup->GetDlgItem(1247))->click();  // add files
    EXPECT_EQ(ui.dialog.playList().paths(), (std::vector<std::string>{earlier, later}));

    page.item<QCheckBox>(1248)->click();  // select all, add again: only the new one comes in
    qobject_cast<QAbstractButton*>(popup->GetDlgItem(1247))->click();
    EXPECT_EQ(ui.dialog.playList().paths(), (std::vector<std::string>{earlier, later, middle}));
    EXPECT_TRUE(messages.empty());

    qobject_cast<QAbstractButton*>(popup->GetDlgItem(platform::IDCANCEL))->click();  // close
    EXPECT_EQ(ui.dialog.filesOpenPopup(), nullptr);
    ui.Click(IDC_OPEN_FILE);  // a new, empty window, starting at the folder chosen last
    ASSERT_NE(ui.dialog.filesOpenPopup(), nullptr);
    EXPECT_EQ(ui.dialog.filesOpenPopup()->Page(catalogue::RecordingKind::Infinity).LineCount(), 0);
    qobject_cast<QAbstractButton*>(ui.dialog.filesOpenPopup()->GetDlgItem(1245))->click();
    ASSERT_EQ(browsedFrom.size(), 2u);
    EXPECT_EQ(browsedFrom[1], folder.string());
    platform::SetFolderBrowserHook({});
}

} // namespace
} // namespace shell::test

// The recorder setup file as a user makes it: the settings window's Save, a folder in the
// save-settings window, ok. Written whole, or reported and not written.

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QRadioButton>
#include <cstdlib>

#include "read_only_folder.h"
#include "setting_window_fixture.h"

namespace settings::test {
namespace {

namespace fs = std::filesystem;

class SetupWriteTest : public SettingWindowTest {
protected:
    // Save in the Viewer Setting mode, the folder (when given) through the browser, ok.
    void SaveInto(const std::optional<fs::path>& folder) {
        Click(SettingPopup::kActionId);
        ASSERT_EQ(save().Visible(), SettingSavePopup::kShown);
        if (folder) {
            hooks.folderAnswers.push_back(folder->string());
            ClickSave(SettingSavePopup::kChooseFolderId);
        }
        ClickSave(SettingSavePopup::kOkId);
    }
    void Choose(int radioId) { popup->item<QRadioButton>(radioId)->click(); }

    // Run in a child process: a file-size limit of 5 bytes makes the write fail after its first
    // bytes. Exits 0 when the failure was reported with the path and the window kept its mode.
    void WriteUnderFileSizeLimit(const fs::path& card) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{5, 5};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(2);
        SaveInto(card);
        const bool reported = hooks.messages.size() == 1 &&
                              hooks.messages[0] == "An incorrect file handle was associated with " +
                                                       (card / "setup.dat").string() + ".";
        std::_Exit(reported && popup->Mode() == SettingMode::ViewerSetting ? 0 : 1);
    }
};

TEST_F(SetupWriteTest, AFreshStartWritesTheDocumentedLineIntoTheChosenFolder) {
    const fs::path card = tripdesk::test::FreshFolder("card");
    Open(SettingMode::ViewerSetting);
    popup->SetDlgItemText(SettingPopup::kDateTimeBoxId, "2011년 05월 12일 10: 20:30");
    SaveInto(card);

    EXPECT_EQ(ReadFile(card / "setup.dat"), "0 3 3 4 1 1 1");
    EXPECT_EQ(fs::file_size(card / "setup.dat"), 13u) << "no line end";
    EXPECT_EQ(EntriesIn(card), 1u);
    EXPECT_TRUE(hooks.messages.empty());
    EXPECT_EQ(save().Visible(), SettingSavePopup::kHidden);
    EXPECT_EQ(popup->Mode(), SettingMode::ViewerSetting) << "stays open until exit or close";
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->CurrentConfig().timeTextOnSave, "2011년 05월 12일 10: 20:30");
    EXPECT_EQ(popup->CurrentConfig().timeTextOnClose, "2011년 05월 12일 10: 20:30");
}

TEST_F(SetupWriteTest, WithoutAChosenFolderTheFileGoesToTheCurrentFolder) {
    const fs::path here = tripdesk::test::FreshFolder("current");
    const fs::path before = fs::current_path();
    fs::current_path(here);
    Open(SettingMode::ViewerSetting);
    SaveInto(std::nullopt);
    fs::current_path(before);
    EXPECT_EQ(save().Folder(), "");
    EXPECT_EQ(ReadFile(here / "setup.dat"), "0 3 3 4 1 1 1");
}

TEST_F(SetupWriteTest, TheChoicesReachTheFileAndASecondWriteReplacesTheFirst) {
    const fs::path card = tripdesk::test::FreshFolder("card-choices");
    Open(SettingMode::ViewerSetting);
    Drag({170, 94}, {289, 94});    // G-sensor thumb to level 8
    Drag({165, 164}, {279, 164});  // speaker to 6
    Drag({165, 234}, {24, 234});   // microphone to 0
    Choose(1079);                  // front and rear
    Choose(1081);                  // TV out rear
    Choose(1083);                  // vehicle-stop mode
    SaveInto(card);
    EXPECT_EQ(ReadFile(card / "setup.dat"), "1 0 6 8 2 2 1");

    Choose(1082);   // back to driving mode; the folder is the one chosen before
    Choose(1078);
    Click(SettingPopup::kActionId);
    ClickSave(SettingSavePopup::kOkId);
    EXPECT_EQ(ReadFile(card / "setup.dat"), "0 0 6 8 1 2 1");
    EXPECT_EQ(EntriesIn(card), 1u);
    EXPECT_TRUE(hooks.messages.empty());
}

TEST_F(SetupWriteTest, AReadOnlyFolderIsReportedWithThePathAndNothingIsWritten) {
    const tripdesk::test::ReadOnlyFolder card(tripdesk::test::FreshFolder("read-only") / "card");
    Open(SettingMode::ViewerSetting);
    SaveInto(card.path());
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0],
              "An incorrect file handle was associated with " + (card.path() / "setup.dat").string() + ".");
    EXPECT_EQ(EntriesIn(card.path()), 0u);
    EXPECT_EQ(popup->Mode(), SettingMode::ViewerSetting);
    EXPECT_TRUE(popup->isVisible());
}

TEST_F(SetupWriteTest, AWriteThatFailsMidwayKeepsTheOlderFileWhole) {
    const fs::path card = tripdesk::test::FreshFolder("card-limit");
    std::ofstream(card / "setup.dat", std::ios::binary) << "1 0 6 8 2 2 1";
    Open(SettingMode::ViewerSetting);
    EXPECT_EXIT(WriteUnderFileSizeLimit(card), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadFile(card / "setup.dat"), "1 0 6 8 2 2 1");
    EXPECT_EQ(EntriesIn(card), 1u) << "the partial temporary file is removed";
}

} // namespace
} // namespace settings::test

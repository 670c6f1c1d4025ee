// The settings window from the main window: the setting and save commands, the setup file from
// the settings button, and the settings windows' folders and flags in the stored value.

#include "main_window_harness.h"
#include "platform/profile.h"
#include "settings/setting_popup.h"
#include "settings/setting_save_popup.h"
#include "shell/main_window_ids.h"

namespace shell::test {
namespace {

using settings::SettingMode;
using settings::SettingPopup;
using settings::SettingSavePopup;

std::optional<std::string> StoredConfig() {
    platform::RegistryStore::Default().Reload();
    return platform::RegistryStore::Default().QueryString(platform::Hive::LocalMachine,
                                                          "SOFTWARE\\Corvane\\Vistrel\\00.00.01", "config");
}

// The save button is hidden: its command comes as the message a click would send.
void SendSaveCommand(MainWindowHarness& ui) {
    ui.Send(platform::WM_COMMAND, platform::MAKEWPARAM(IDC_SAVE, platform::BN_CLICKED), 0);
}

TEST_F(ShellTest, SettingOpensTheViewerSettingModeOnlyWhileTheWindowIsIdle) {
    MainWindowHarness ui;
    SettingPopup& settings = *ui.dialog.settingPopup();
    ASSERT_EQ(settings.Mode(), SettingMode::Idle);
    ui.Click(IDC_SETTING);
    EXPECT_EQ(settings.Mode(), SettingMode::ViewerSetting);
    EXPECT_TRUE(settings.isVisible());
    EXPECT_EQ(settings.Adapter(), ui.dialog.adapter());
    const QRect main = ui.dialog.mainPlacement();
    EXPECT_EQ(settings.geometry(), QRect(main.x() + 324, main.y() + 55, 377, 600));
    settings.bitmapButton(SettingPopup::kExitId)->Click();
    ASSERT_EQ(settings.Mode(), SettingMode::Idle);

    // Opened for a clip save, the window stays in that mode when setting is pressed.
    ui.Drop({ui.Pair(folder, "20110512_093015")});
    SendSaveCommand(ui);
    ASSERT_EQ(settings.Mode(), SettingMode::FileSave);
    ui.Click(IDC_SETTING);
    EXPECT_EQ(settings.Mode(), SettingMode::FileSave);
    EXPECT_EQ(settings.height(), 250);
}

TEST_F(ShellTest, SaveNeedsRecordingsAndAnIdleWindowAndTheButtonStaysHidden) {
    MainWindowHarness ui;
    SettingPopup& settings = *ui.dialog.settingPopup();
    SendSaveCommand(ui);
    EXPECT_EQ(settings.Mode(), SettingMode::Idle) << "an empty list";
    EXPECT_FALSE(settings.isVisible());

    ui.Drop({ui.Pair(folder, "20110512_093015")});
    SendSaveCommand(ui);
    EXPECT_EQ(settings.Mode(), SettingMode::FileSave);
    EXPECT_TRUE(settings.isVisible());
    EXPECT_EQ(settings.size(), QSize(377, 250));
    EXPECT_FALSE(ui.dialog.GetDlgItem(IDC_SAVE)->isVisible());
    settings.bitmapButton(SettingPopup::kCloseId)->Click();

    ui.Click(IDC_SETTING);
    SendSaveCommand(ui);
    EXPECT_EQ(settings.Mode(), SettingMode::ViewerSetting) << "not while the window is in use";
}

TEST_F(ShellTest, SettingSaveAndOkLeaveTheSetupFileInTheChosenFolder) {
    MainWindowHarness ui;
    SettingPopup& settings = *ui.dialog.settingPopup();
    SettingSavePopup& save = settings.savePopup();
    ui.Click(IDC_SETTING);
    settings.bitmapButton(SettingPopup::kActionId)->Click();
    ASSERT_TRUE(save.isVisible());
    const QRect main = ui.dialog.mainPlacement();
    EXPECT_EQ(save.pos(), QPoint(main.x() + 324, main.y() + 263));
    hooks.folderAnswers.push_back(folder.string());
    save.bitmapButton(SettingSavePopup::kChooseFolderId)->Click();
    save.bitmapButton(SettingSavePopup::kOkId)->Click();
    std::ifstream written(folder / "setup.dat", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "0 3 3 4 1 1 1");
    EXPECT_TRUE(messages.empty());
}

TEST_F(ShellTest, TheSettingsWindowsFoldersAndFlagsAreStoredWhenTripDeskCloses) {
    platform::SetAppProfile("DezovIri_DOZI", "RDX4400 Viewer");
    {
        MainWindowHarness ui;
        SettingPopup& settings = *ui.dialog.settingPopup();
        ui.Drop({ui.Pair(folder, "20110512_093015")});
        SendSaveCommand(ui);
        hooks.folderAnswers.push_back("/media/clips");
        settings.bitmapButton(SettingPopup::kChooseFolderId)->Click();
        QTest::mouseClick(&settings, Qt::LeftButton, {}, QPoint(30, 160));   // the front square
        settings.bitmapButton(SettingPopup::kCloseId)->Click();

        ui.Click(IDC_SETTING);
        settings.SetDlgItemText(SettingPopup::kDateTimeBoxId, "saved");
        settings.bitmapButton(SettingPopup::kActionId)->Click();
        hooks.folderAnswers.push_back("/media/card");
        settings.savePopup().bitmapButton(SettingSavePopup::kChooseFolderId)->Click();
        settings.savePopup().bitmapButton(SettingSavePopup::kExitId)->Click();
        settings.bitmapButton(SettingPopup::kCloseId)->Click();
    }
    // Field 7 the box text at Save, 8 emptied by close; fields 10 to 16: the capture folder and
    // flags (never changed), the clip folder and flags, and the save-settings folder.
    EXPECT_EQ(StoredConfig(), "4?0?0?0?0??saved??0??0?0?/media/clips/?1?0?/media/card/??");
}

} // namespace
} // namespace shell::test

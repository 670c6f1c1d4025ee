// The stored configuration through starts and closes of the main window.

#include "main_window_harness.h"
#include "settings/setting_popup.h"
#include "shell/main_window_ids.h"
#include "telemetry/draw_volume_bar.h"

namespace shell::test {
namespace {

std::optional<std::string> StoredConfig() {
    platform::RegistryStore::Default().Reload();
    return platform::RegistryStore::Default().QueryString(platform::Hive::LocalMachine,
                                                          "SOFTWARE\\Corvane\\Vistrel\\00.00.01", "config");
}

TEST_F(ShellTest, FirstStartWithoutStoredValueUsesDefaults) {
    MainWindowHarness ui;
    EXPECT_EQ(ui.dialog.volumePercent(), 0);
    EXPECT_EQ(ui.dialog.volumeBar()->GetLevel(), 0);
    const settings::ViewerConfig config = ui.dialog.settingPopup()->CurrentConfig();
    EXPECT_EQ(config.speedUnit, 0);
    EXPECT_EQ(config.gsensorLevel, 4);
    EXPECT_EQ(config.speakerVolume, 3);
    EXPECT_EQ(config.micVolume, 3);
}

TEST_F(ShellTest, VolumeBarStandsWhereItWasLeftAfterARestart) {
    {
        MainWindowHarness ui;
        ui.Drop({ui.Pair(folder, "20110512_093015")});
        ui.Click(IDC_PLAY);
        ui.ReportPlaybackStarted();
        ui.ClickAt(900, 490);
    }
    EXPECT_EQ(StoredConfig(), "4?0?0?49?0????67??0?0??0?0???");
    MainWindowHarness again;
    EXPECT_EQ(again.dialog.volumeBar()->GetLevel(), 67);
    EXPECT_EQ(again.dialog.volumePercent(), 49);
}

TEST_F(ShellTest, DamagedStoredValueCannotPushVolumeOutOfRange) {
    platform::RegistryStore::Default().SetString(platform::Hive::LocalMachine,
                                                 "SOFTWARE\\Corvane\\Vistrel\\00.00.01", "config",
                                                 "4?0?2?900?0????9999??");
    MainWindowHarness ui;
    EXPECT_EQ(ui.dialog.volumePercent(), 100);
    EXPECT_EQ(ui.dialog.volumeBar()->GetLevel(), 135);
    EXPECT_EQ(ui.dialog.settingPopup()->CurrentConfig().speedUnit, 2);
}

TEST_F(ShellTest, CancelledChannelDialogWritesNothing) {
    {
        shell::CTripDeskDlg dialog(nullptr, scripted::kLibraryName);
        WhenModal<settings::CDialogChannel>([](settings::CDialogChannel* d) { PressKey(d, Qt::Key_Escape); });
        dialog.Run();
    }
    EXPECT_EQ(exitCodes, std::vector<int>{0});
    EXPECT_FALSE(StoredConfig().has_value());
}

} // namespace
} // namespace shell::test

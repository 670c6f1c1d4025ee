#pragma once
// The settings window over a stand-in main window that records WM_SAVE_CLIP, with a fresh
// registry in this program's configuration folder, the application profile of the viewer and
// hooks that answer message boxes and folder browsers.

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dialog_hooks.h"
#include "gui_support.h"
#include "platform/bitmap_button.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "recorder_window.h"
#include "settings/setting_popup.h"
#include "settings/setting_save_popup.h"
#include "test_folders.h"

namespace settings::test {

// The main window stands at (190, 135): the settings window then stands at (514, 190) and the
// save-settings window at (514, 398).
inline constexpr int kOwnerX = 190;
inline constexpr int kOwnerY = 135;

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::size_t EntriesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

class SettingWindowTest : public ::testing::Test {
protected:
    SettingWindowTest() {
        platform::SetClockFastForward(true);
        std::filesystem::remove_all(platform::RegistryStore::Default().directory());
        platform::RegistryStore::Default().Reload();
        platform::SetAppProfile("DezovIri_DOZI", "RDX4400 Viewer");
        owner.resize(1020, 780);
        popup = new SettingPopup(&owner);
        popup->ApplyConfig(ViewerConfig{});
        popup->SetOwnerPosition(kOwnerX, kOwnerY, 1020, 780);
    }
    ~SettingWindowTest() override {
        delete popup;
        platform::SetClockFastForward(false);
    }

    // What a main-window button does: a mode, its arrangement, shown.
    void Open(SettingMode mode) {
        popup->SetMode(mode);
        popup->Arrange();
        popup->Show(SettingPopup::kShown);
    }
    void Click(int id) { popup->bitmapButton(id)->Click(); }
    void ClickSave(int id) { save().bitmapButton(id)->Click(); }
    SettingSavePopup& save() { return popup->savePopup(); }

    void Press(int x, int y) { QTest::mousePress(popup, Qt::LeftButton, {}, QPoint(x, y)); }
    void MoveTo(int x, int y) { QTest::mouseMove(popup, QPoint(x, y)); }
    void Release(int x, int y) { QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(x, y)); }
    void Drag(QPoint from, QPoint to) {
        Press(from.x(), from.y());
        MoveTo(to.x(), to.y());
        Release(to.x(), to.y());
    }

    static platform::AppProfile& profile() { return platform::AppProfileInstance(); }
    static std::string CapturePath() { return profile().GetProfileString("KX_310T_Data", "Capture_Path"); }

    tripdesk::test::DialogHooks hooks;
    tripdesk::test::RecorderWindow owner;
    SettingPopup* popup = nullptr;
};

} // namespace settings::test

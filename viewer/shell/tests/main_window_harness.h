#pragma once
// A started main window over the scripted player library, for window-level tests of the
// commands, the play list and the player messages. Recordings are small files with a recorder's
// box layout in a fresh folder.

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QMimeData>
#include <QRadioButton>
#include <QUrl>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "dialog_hooks.h"
#include "gui_support.h"
#include "platform/bitmap_button.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/displays.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "player/tarn_adap.h"
#include "contract/vexplayer_contract.h"
#include "scripted_player.h"
#include "settings/dialog_channel.h"
#include "shell/tripdesk_dlg.h"

namespace shell::test {

using tripdesk::test::PressKey;
using tripdesk::test::WaitUntil;
using tripdesk::test::WhenModal;

// Short folder names: the player's load command holds both paths in 256 characters.
inline std::filesystem::path FreshFolder() {
    static int count = 0;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("tdshell-" + std::to_string(getpid())) / std::to_string(++count);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// "ftyp" (24 bytes), "mdat", "moov": enough for the player bridge, which finds no user data.
inline void WriteRecording(const std::filesystem::path& path) {
    static const unsigned char bytes[] = {
        0, 0, 0, 24, 'f', 't', 'y', 'p', 'd', 'r', 'c', '1', 0, 0, 0, 1, 'd', 'r', 'c', '1', 'a', 'v', 'c', '1',
        0, 0, 0, 8,  'm', 'd', 'a', 't', 0, 0, 0, 8, 'm', 'o', 'o', 'v'};
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class MainWindowHarness {
public:
    explicit MainWindowHarness(int channels = 2, const char* playerLibrary = scripted::kLibraryName)
        : dialog(nullptr, playerLibrary) {
        WhenModal<settings::CDialogChannel>([channels](settings::CDialogChannel* d) {
            if (channels == 2) d->item<QRadioButton>(1093)->click();
            PressKey(d, Qt::Key_Return);
        });
        dialog.Create();
        dialog.show();
        EXPECT_TRUE(WaitUntil([this] { return dialog.started(); }));
    }
    ~MainWindowHarness() {
        dialog.bitmapButton(1002)->Click();
        EXPECT_FALSE(scripted::VelmoRunning());
    }

    // Front (and, unless told otherwise, rear) files of a two-channel recording.
    std::string Pair(const std::filesystem::path& folder, const std::string& stamp, bool withRear = true) {
        const auto front = folder / ("drf2_" + stamp + ".mp4");
        WriteRecording(front);
        if (withRear) WriteRecording(folder / ("drf1_" + stamp + ".mp4"));
        return front.string();
    }

    void Drop(const std::vector<std::string>& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& p : paths) urls << QUrl::fromLocalFile(QString::fromStdString(p));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(700, 650), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &enter);
        QDropEvent drop(QPointF(700, 650), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &drop);
    }

    void Click(int id) { dialog.bitmapButton(id)->Click(); }
    void ClickPush(int id) { qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id))->click(); }
    void Press(int x, int y) { QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(x, y)); }
    void Release(int x, int y) { QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(x, y)); }
    void ClickAt(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    void MoveTo(int x, int y) { QTest::mouseMove(&dialog, QPoint(x, y)); }
    void DoubleClickAt(int x, int y) { QTest::mouseDClick(&dialog, Qt::LeftButton, {}, QPoint(x, y)); }

    platform::LRESULT Send(platform::UINT msg, platform::WPARAM w, platform::LPARAM l) {
        return platform::SendMessage(dialog.hwnd(), msg, w, l);
    }

    // After the first open the scripted library runs "Velmo": it reports ready, its stop flag
    // and the start of playback, as the real one does.
    void ReportPlaybackStarted() {
        ASSERT_TRUE(scripted::WaitForVelmo(std::chrono::seconds(5)));
        scripted::FireOnPlayerThread(vexplayer::kEventReady, nullptr);
        scripted::FireOnPlayerThread(vexplayer::kEventStopFlag, scripted::StopFlag());
        scripted::FireOnPlayerThread(vexplayer::kEventPlaybackStarted, nullptr);
    }
    void ReportClipLength(float seconds) { scripted::Fire(vexplayer::kEventClipLength, &seconds); }

    static bool Sent(const std::string& command) {
        const auto commands = scripted::Commands();
        return std::find(commands.begin(), commands.end(), command) != commands.end();
    }
    static std::string LastCommandStartingWith(const std::string& prefix) {
        const auto commands = scripted::Commands();
        for (auto it = commands.rbegin(); it != commands.rend(); ++it)
            if (it->rfind(prefix, 0) == 0) return *it;
        return {};
    }

    CTripDeskDlg dialog;
};

// Fixture: fast clock, a fixed desktop, recorded message boxes and exits, a fresh registry.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::Reset();
        platform::SetClockFastForward(true);
        platform::SetDesktopRectOverride(QRect(0, 0, 1280, 1024));
        folder = FreshFolder();
        // Every test starts as on a machine where the viewer never ran.
        std::filesystem::remove_all(platform::RegistryStore::Default().directory());
        platform::RegistryStore::Default().Reload();
    }
    void TearDown() override {
        platform::SetDesktopRectOverride(std::nullopt);
        scripted::Reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder.parent_path(), ignored);
    }

    tripdesk::test::DialogHooks hooks;
    const std::vector<std::string>& messages = hooks.messages;
    const std::vector<int>& exitCodes = hooks.exitCodes;
    std::filesystem::path folder;
};

} // namespace shell::test

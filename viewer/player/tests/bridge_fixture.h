#pragma once
// An adapter over the scripted player library, owned by a recording main window; the platform
// clock fast-forwarded so that the states' settles cost no time.

#include <gtest/gtest.h>

#include <memory>

#include "dialog_hooks.h"
#include "gui_support.h"
#include "platform/clock.h"
#include "player/tarn_adap.h"
#include "player/tarn_states.h"
#include "recorder_window.h"
#include "scripted_player.h"
#include "test_folders.h"
#include "test_support.h"

namespace player::test {

using tripdesk::test::DialogHooks;
using tripdesk::test::FreshFolder;
using tripdesk::test::Message;
using tripdesk::test::PumpFor;
using tripdesk::test::RecorderWindow;
using tripdesk::test::WaitUntil;

class BridgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetClockFastForward(true);
        scripted::Reset();
        mainWindow_ = std::make_unique<RecorderWindow>();
        adapter_ = std::make_unique<TarnAdap>(mainWindow_->hwnd());
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override {
        adapter_.reset();
        ASSERT_FALSE(scripted::VelmoRunning());
        scripted::Reset();
    }

    void Load() { ASSERT_EQ(adapter_->LoadPlayer(scripted::kLibraryName), 0); }

    // A recording with n user-data entries in the test's folder.
    std::string Recording(const std::string& name, int entries = 4) {
        const std::string path = (folder_ / name).string();
        WriteBytes(path, BuildRecording(BuildUdat({entries})));
        return path;
    }

    // Loads the library and starts the player on a recording; the library then reports ready,
    // its stop flag and playback on its own thread.
    void StartPlaying(int entries = 4) {
        Load();
        ASSERT_EQ(adapter_->PlayFiles(Recording("front.mp4", entries), Recording("rear.mp4", entries)), 0);
        ASSERT_TRUE(scripted::WaitForVelmo(std::chrono::seconds(5)));
        scripted::FireOnPlayerThread(vexplayer::kEventReady, nullptr);
        scripted::FireOnPlayerThread(vexplayer::kEventStopFlag, scripted::StopFlag());
        scripted::FireOnPlayerThread(vexplayer::kEventPlaybackStarted, nullptr);
        ASSERT_EQ(adapter_->CurrentStateId(), StateId::Playing);
    }

    static std::string Captured(const std::function<void()>& action) {
        ::testing::internal::CaptureStdout();
        action();
        return ::testing::internal::GetCapturedStdout();
    }

    std::unique_ptr<RecorderWindow> mainWindow_;
    std::unique_ptr<TarnAdap> adapter_;
    std::filesystem::path folder_;
};

} // namespace player::test

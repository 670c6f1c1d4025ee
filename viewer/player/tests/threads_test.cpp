// The player thread, the worker and the close sequence, with the scripted library's own thread.
#include <thread>

#include "bridge_fixture.h"
#include "player/player_messages.h"

namespace player::test {
namespace {

using Clock = std::chrono::steady_clock;

TEST_F(BridgeTest, PlayFilesStartsThePlayerWithItsOwnCopiesOfThePaths) {
    Load();
    const std::string front = Recording("front.mp4");
    const std::string rear = Recording("rear.mp4");
    std::string out = Captured([&] {
        std::string channel1 = front;
        std::string channel2 = rear;
        EXPECT_EQ(adapter_->PlayFiles(channel1, channel2), 0);
        channel1.assign(300, 'x');   // the caller's strings need not live on
        channel2.clear();
        ASSERT_TRUE(scripted::WaitForVelmo(std::chrono::seconds(5)));
    });
    EXPECT_EQ(scripted::VelmoArguments(),
              (std::vector<std::string>{"mplayer", "-vo", "directx:noaccel", "-autosync", "0", front, rear}));
    const std::string paths = front + " / " + rear;
    EXPECT_NE(out.find("[ stat4::SetFileNPlay() #1 ] >>>>> ===== " + paths + " ===== \n"), std::string::npos);
    EXPECT_NE(out.find("pInst->hMplayer == "), std::string::npos);
    EXPECT_NE(out.find("### Thread has begun\n"), std::string::npos);
    EXPECT_NE(out.find("[ stat4::SetFileNPlay() #2 ] >>>>> ===== " + paths + " ===== \n"), std::string::npos);
    EXPECT_EQ(out.find("Error while parsing"), std::string::npos);
    EXPECT_TRUE(adapter_->WorkerExists());
    EXPECT_EQ(adapter_->CurrentStateId(), StateId::Opening);

    // A second start while the player runs starts nothing.
    out = Captured([&] { EXPECT_EQ(adapter_->State(StateId::Ready).SetFileNPlay(front, rear), Tarnstat4::kAlreadyRunning); });
    EXPECT_EQ(out.find("### Thread has begun"), std::string::npos);
    EXPECT_EQ(scripted::VelmoCalls(), 1);
}

TEST_F(BridgeTest, AFileWithoutUserDataStillStartsAndTracesTheFailure) {
    Load();
    const std::string out = Captured([&] {
        EXPECT_EQ(adapter_->PlayFiles((folder_ / "missing.mp4").string(), ""), 0);
        ASSERT_TRUE(scripted::WaitForVelmo(std::chrono::seconds(5)));
    });
    EXPECT_NE(out.find("\n!!! Error while parsing user data\n"), std::string::npos);
    EXPECT_TRUE(adapter_->NoUserData());
}

TEST_F(BridgeTest, TheWorkerCompletesTheUnloadOnceTheLibraryHasExited) {
    StartPlaying();
    EXPECT_EQ(adapter_->ClosePlayer(), 1);   // only asked: the library stops on its own thread
    ASSERT_TRUE(WaitUntil([&] { return adapter_->CurrentStateId() == StateId::Idle && !adapter_->LibraryLoaded(); }));
    EXPECT_EQ(adapter_->PreviousStateId(), StateId::Exited);
    EXPECT_FALSE(adapter_->PlayerThreadExists());
    EXPECT_FALSE(scripted::VelmoRunning());
    EXPECT_EQ(adapter_->Volume(), 100);
}

TEST_F(BridgeTest, SwitchingFilesWhilePlayingIgnoresTheReplacedFilesEnd) {
    StartPlaying();
    const std::string next = Recording("next.mp4");
    EXPECT_EQ(adapter_->PlayFiles(next, ""), 0);
    EXPECT_EQ(scripted::Commands().back(), "tarn_loadfile \"" + next + "\" \"\"");
    scripted::FireOnPlayerThread(vexplayer::kEventUserDataIndex, reinterpret_cast<void*>(std::uintptr_t{3}));
    scripted::FireOnPlayerThread(vexplayer::kEventEndOfFile, nullptr);
    EXPECT_EQ(adapter_->CurrentStateId(), StateId::Opening);
    scripted::FireOnPlayerThread(vexplayer::kEventPlaybackStarted, nullptr);
    EXPECT_EQ(adapter_->CurrentStateId(), StateId::Playing);
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_TRUE(mainWindow_->Of(WM_PLAYER_CLIPEND).empty());
}

TEST_F(BridgeTest, TheCloseSequenceEndsBothThreads) {
    StartPlaying();
    adapter_->CloseSequence();
    EXPECT_FALSE(adapter_->WorkerExists());
    EXPECT_FALSE(adapter_->PlayerThreadExists());
    EXPECT_FALSE(scripted::VelmoRunning());
    EXPECT_EQ(scripted::Commands().back(), "quit");
    EXPECT_EQ(*scripted::StopFlag(), 1);
    EXPECT_TRUE(adapter_->LibraryLoaded());   // the library stays loaded until the process ends
}

// The close must not hang on a library that never leaves "Velmo"; its thread is left behind and
// whatever it reports later reaches no adapter.
TEST_F(BridgeTest, CloseIsBoundedWhenTheLibraryNeverExits) {
    StartPlaying();
    scripted::SetNeverExits(true);
    const auto start = Clock::now();
    adapter_->CloseSequence();
    const auto took = Clock::now() - start;
    EXPECT_GE(took, TarnAdap::kLibraryExitWait - std::chrono::milliseconds(50));
    EXPECT_LT(took, std::chrono::seconds(8));
    EXPECT_TRUE(adapter_->PlayerThreadExists());
    EXPECT_FALSE(adapter_->WorkerExists());

    adapter_.reset();
    vexplayer::FrameRecord frame{};
    float length = 5.0f;
    std::int32_t slot = -1;
    scripted::OnPlayerThread([&] {
        scripted::Fire(vexplayer::kEventFrame, &frame);
        scripted::Fire(vexplayer::kEventClipLength, &length);
        scripted::Fire(vexplayer::kEventVolumeSlot, &slot);
        scripted::Fire(vexplayer::kEventEndOfFile, nullptr);
        scripted::Fire(vexplayer::kEventExited, nullptr);
    });
    EXPECT_EQ(slot, -1);
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_TRUE(mainWindow_->Of(WM_PLAYER_USERDATA).empty());
    scripted::ReleaseVelmo();
    ASSERT_TRUE(WaitUntil([] { return !scripted::VelmoRunning(); }));
}

TEST_F(BridgeTest, EndedClosePlayerIsBoundedWhenTheLibraryNeverReportsItsExit) {
    Load();
    scripted::SetNeverExits(true);
    adapter_->SetState(StateId::Ended);
    const auto start = Clock::now();
    EXPECT_EQ(adapter_->ClosePlayer(), 1);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(8));
    EXPECT_TRUE(adapter_->LibraryLoaded());
}

TEST_F(BridgeTest, FramesDuringDestructionSendNoMessage) {
    StartPlaying();
    vexplayer::FrameRecord frame{};
    scripted::Fire(vexplayer::kEventFrame, &frame);
    EXPECT_EQ(mainWindow_->Of(WM_PLAYER_USERDATA).size(), 1u);
    bool fired = false;
    scripted::SetOnQuit([&] {
        scripted::Fire(vexplayer::kEventFrame, &frame);   // the destructor's quit, on this thread
        fired = true;
    });
    adapter_.reset();
    EXPECT_TRUE(fired);
    EXPECT_EQ(mainWindow_->Of(WM_PLAYER_USERDATA).size(), 1u);
}

} // namespace
} // namespace player::test

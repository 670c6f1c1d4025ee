// The player thread, the worker and the close sequence, with the scripted library's own thread.
#include <atomic>
#include <thread>

#include "bridge_fixture.h"
#include "player/player_messages.h"

namespace player::test {
namespace {

using namespace std::chrono_literals;

// Milliseconds that passed on the platform clock, which the fixture fast-forwards: the bounded
// waits are measured on it, so the figures do not depend on how loaded the machine is.
class PlatformStopwatch {
public:
    std::uint64_t Elapsed() const { return platform::TickCount() - start_; }

private:
    std::uint64_t start_ = platform::TickCount();
};

constexpr auto kExitWaitMs = static_cast<std::uint64_t>(TarnAdap::kLibraryExitWait.count());

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

TEST_F(BridgeTest, TheWorkerCompletesTheUnloadOnceTheLibraryHasExitedAndTheNextFilesPlay) {
    StartPlaying();
    EXPECT_EQ(adapter_->ClosePlayer(), 1);   // only asked: the library stops on its own thread
    ASSERT_TRUE(WaitUntil([&] { return adapter_->CurrentStateId() == StateId::Idle && !adapter_->LibraryLoaded(); }));
    EXPECT_EQ(adapter_->PreviousStateId(), StateId::Exited);
    EXPECT_FALSE(adapter_->PlayerThreadExists());
    EXPECT_FALSE(scripted::VelmoRunning());
    EXPECT_EQ(adapter_->Volume(), 100);

    const std::string next = Recording("next.mp4");
    EXPECT_EQ(adapter_->PlayFiles(next, ""), 0);
    ASSERT_TRUE(WaitUntil([] { return scripted::VelmoCalls() == 2 && scripted::VelmoRunning(); }));
    EXPECT_TRUE(adapter_->LibraryLoaded());
    EXPECT_EQ(scripted::VelmoArguments()[vexplayer::kVelmoArgChannel1], next);
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
    const PlatformStopwatch stopwatch;
    adapter_->CloseSequence();
    EXPECT_GE(stopwatch.Elapsed(), kExitWaitMs);
    EXPECT_LT(stopwatch.Elapsed(), 2 * kExitWaitMs);
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
    const PlatformStopwatch stopwatch;
    EXPECT_EQ(adapter_->ClosePlayer(), 1);
    EXPECT_GE(stopwatch.Elapsed(), kExitWaitMs);
    EXPECT_LT(stopwatch.Elapsed(), 2 * kExitWaitMs);
    EXPECT_TRUE(adapter_->LibraryLoaded());
}

class LateExitTest : public BridgeTest {
protected:
    // Playing to the end of the clip, then a close that gives up on a library that exits one
    // second (platform clock) after the close stopped waiting.
    void CloseAtTheEndOfTheClip() {
        StartPlaying();
        scripted::FireOnPlayerThread(vexplayer::kEventEndOfFile, nullptr);
        ASSERT_EQ(adapter_->CurrentStateId(), StateId::Ended);
        scripted::SetExitDelay(TarnAdap::kLibraryExitWait + 1000ms);
        EXPECT_EQ(adapter_->ClosePlayer(), 1);
        EXPECT_TRUE(adapter_->LibraryLoaded());
        EXPECT_TRUE(scripted::VelmoRunning());
    }
    void ExpectTheNextFilesPlay() {
        const std::string next = Recording("next.mp4");
        scripted::SetExitDelay(0ms);   // the next player exits at once
        EXPECT_EQ(adapter_->PlayFiles(next, ""), 0);
        ASSERT_TRUE(WaitUntil([] { return scripted::VelmoCalls() == 2 && scripted::VelmoRunning(); }));
        EXPECT_EQ(scripted::VelmoArguments()[vexplayer::kVelmoArgChannel1], next);
        scripted::FireOnPlayerThread(vexplayer::kEventReady, nullptr);
        scripted::FireOnPlayerThread(vexplayer::kEventPlaybackStarted, nullptr);
        EXPECT_EQ(adapter_->CurrentStateId(), StateId::Playing);
    }
};

// The library's exit comes after the close gave up: the worker completes the unload then.
TEST_F(LateExitTest, TheUnloadCompletesWhenTheExitComesAndTheNextFilesPlay) {
    CloseAtTheEndOfTheClip();
    platform::Sleep(1000);   // the library's delay passes
    ASSERT_TRUE(WaitUntil([&] { return adapter_->CurrentStateId() == StateId::Idle && !adapter_->LibraryLoaded(); }));
    EXPECT_FALSE(adapter_->PlayerThreadExists());
    ExpectTheNextFilesPlay();
}

// Files chosen before the late exit wait for it (bounded) and then play.
TEST_F(LateExitTest, FilesChosenBeforeTheExitPlayOnceItComes) {
    CloseAtTheEndOfTheClip();
    ExpectTheNextFilesPlay();
}

TEST_F(BridgeTest, TheStopFlagOfAPlayerThatExitedIsNeverWritten) {
    Load();
    int goneFlag = 0;
    scripted::Fire(vexplayer::kEventStopFlag, &goneFlag);
    scripted::Fire(vexplayer::kEventExited, nullptr);
    scripted::Fire(vexplayer::kEventPlaybackStarted, nullptr);   // the next player, before its event 21
    EXPECT_EQ(adapter_->ClosePlayer(), 1);
    EXPECT_EQ(goneFlag, 0);
}

// The close sequence with a player whose flag went with an exit report sends only "quit".
TEST_F(BridgeTest, TheCloseSequenceDoesNotWriteTheFlagOfAPlayerThatExited) {
    StartPlaying();
    scripted::FireOnPlayerThread(vexplayer::kEventExited, nullptr);
    adapter_->CloseSequence();
    EXPECT_FALSE(scripted::VelmoRunning());
    EXPECT_EQ(scripted::Commands().back(), "quit");
    EXPECT_EQ(*scripted::StopFlag(), 0);
}

// The library copies the rectangles on its thread while the user-interface thread moves the
// videos: every copy holds whole rectangles (and ThreadSanitizer sees no race).
TEST_F(BridgeTest, RectanglesAreHandedOverWholeWhileTheLibraryCopiesThem) {
    Load();
    const auto set = [&](std::uint8_t channel, std::uint16_t k) {
        adapter_->SetVideoRect(channel, k, k + 1, k + 2, k + 3);
        adapter_->SetPopupVideoRect(channel, k, k + 1, k + 2, k + 3);
    };
    set(0, 0);
    set(1, 0);
    std::atomic<bool> stop{false};
    std::atomic<int> copies{0};
    int torn = 0;
    std::thread library([&] {
        while (!stop.load()) {
            for (const int code : {vexplayer::kEventMainRectsSlot, vexplayer::kEventPopupRectsSlot}) {
                vexplayer::AddressSlot slot = 0;
                scripted::Fire(code, &slot);
                const vexplayer::VideoRectSet copy =
                    vexplayer::LoadVideoRectSet(*reinterpret_cast<const vexplayer::VideoRectSet*>(slot));
                for (const vexplayer::VideoRect& r : copy.channel)
                    if (r.y != r.x + 1 || r.width != r.x + 2 || r.height != r.x + 3) ++torn;
                ++copies;
            }
        }
    });
    for (int k = 0; k < 30000 || copies.load() < 1000; ++k)
        set(static_cast<std::uint8_t>(k % 2), static_cast<std::uint16_t>(k % 60000));
    stop = true;
    library.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GE(copies.load(), 1000);
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

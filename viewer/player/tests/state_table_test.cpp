// What every player state does with each operation.
#include <functional>

#include "bridge_fixture.h"
#include "player/player_messages.h"

namespace player::test {
namespace {

using Commands = std::vector<std::string>;

// ---- Loading --------------------------------------------------------------------------------------

TEST_F(BridgeTest, LoadPlayerResults) {
    EXPECT_EQ(adapter_->LoadPlayer(nullptr), 2);
    EXPECT_EQ(adapter_->LoadPlayer("nosuchplayer.dll"), 4);
    EXPECT_EQ(adapter_->LoadPlayer(scripted::kMissingExportLibraryName), 3);
    EXPECT_FALSE(adapter_->LibraryLoaded());   // unloaded at once, never started
    EXPECT_EQ(adapter_->LoadPlayer(scripted::kLibraryName), 0);
    EXPECT_TRUE(adapter_->LibraryLoaded());
    EXPECT_NE(scripted::Instance(), nullptr);
    EXPECT_EQ(adapter_->LoadPlayer(scripted::kLibraryName), 1);
}

TEST_F(BridgeTest, WithoutTheLibraryNothingStartsAndOpeningStays) {
    EXPECT_EQ(adapter_->LoadPlayer(scripted::kMissingExportLibraryName), 3);
    EXPECT_EQ(adapter_->State(StateId::Idle).SetFileNPlay(Recording("a.mp4"), ""), Tarnstat4::kNotStarted);
    EXPECT_EQ(adapter_->PlayFiles(Recording("a.mp4"), ""), 0);   // Idle's SetNextNPlay hides the failure
    EXPECT_EQ(adapter_->CurrentStateId(), StateId::Opening);
    EXPECT_FALSE(adapter_->PlayerThreadExists());
    EXPECT_EQ(scripted::VelmoCalls(), 0);
}

// ---- Undefined operations -------------------------------------------------------------------------

struct Operation {
    const char* name;
    std::function<int(TarnState&)> call;
    std::vector<StateId> undefinedIn;
};

const std::vector<StateId> kNotPlaying = {StateId::Idle, StateId::Ended, StateId::Ready, StateId::Exited};

const Operation kOperations[] = {
    {"LoadPlayer", [](TarnState& s) { return s.LoadPlayer("scriptedplayer.dll"); },
     {StateId::Playing, StateId::Ended, StateId::Ready, StateId::Exited}},
    {"SetFileNPlay", [](TarnState& s) { return s.SetFileNPlay("a.mp4", "b.mp4"); }, {StateId::Playing, StateId::Exited}},
    {"SetNextNPlay", [](TarnState& s) { return s.SetNextNPlay("a.mp4", "b.mp4"); }, {StateId::Exited}},
    {"Play", [](TarnState& s) { return s.Play(); }, {StateId::Idle, StateId::Exited}},
    {"Stop", [](TarnState& s) { return s.Stop(); }, kNotPlaying},
    {"Pause", [](TarnState& s) { return s.Pause(); }, kNotPlaying},
    {"FrameStep", [](TarnState& s) { return s.FrameStep(); }, kNotPlaying},
    {"Seek", [](TarnState& s) { return s.Seek(1.0f, true); }, kNotPlaying},
    {"SetSpeed", [](TarnState& s) { return s.SetSpeed(1.0f, false); }, kNotPlaying},
    {"MultiplySpeed", [](TarnState& s) { return s.MultiplySpeed(2.0f, true); }, kNotPlaying},
    {"SetVolume", [](TarnState& s) { return s.SetVolume(50.0f, false); }, kNotPlaying},
    {"SetVideoRect", [](TarnState& s) { return s.SetVideoRect(0, 1, 2, 3, 4); }, {StateId::Exited}},
    {"SetPopupVideoRect", [](TarnState& s) { return s.SetPopupVideoRect(0, 1, 2, 3, 4); }, {StateId::Exited}},
    {"RefreshVideo", [](TarnState& s) { return s.RefreshVideo(1); }, {StateId::Idle, StateId::Ready, StateId::Exited}},
};

TEST_F(BridgeTest, OperationsAStateDoesNotDefineReturnMinusOneAndDoNothing) {
    Load();
    for (const Operation& operation : kOperations) {
        for (const StateId id : operation.undefinedIn) {
            adapter_->SetState(id);
            EXPECT_EQ(operation.call(adapter_->State(id)), kUndefined) << operation.name << " in " << int(id);
            EXPECT_EQ(adapter_->CurrentStateId(), id);
        }
        // Opening entered from Exited forwards to Exited, which defines none of them.
        adapter_->SetState(StateId::Exited);
        adapter_->SetState(StateId::Opening);
        EXPECT_EQ(operation.call(adapter_->State(StateId::Opening)), kUndefined) << operation.name;
    }
    EXPECT_EQ(scripted::Commands(), Commands{});
    EXPECT_EQ(scripted::VelmoCalls(), 0);
}

TEST_F(BridgeTest, StateIdsAndTraceLines) {
    const std::pair<StateId, const char*> rows[] = {
        {StateId::Idle, "####stat0\n"}, {StateId::Playing, ""},         {StateId::Exited, "####stat2\n"},
        {StateId::Ended, "####stat3\n"}, {StateId::Ready, "####stat4\n"}, {StateId::Opening, ""},
    };
    for (const auto& [id, line] : rows) {
        adapter_->SetState(id);
        EXPECT_EQ(adapter_->State(id).GetStateId(), static_cast<int>(id));
        EXPECT_EQ(Captured([&] { adapter_->TraceState(); }), line);
    }
    EXPECT_EQ(Captured([&] { EXPECT_EQ(adapter_->State(StateId::Idle).RefreshVideo(1), kUndefined); }),
              "####method undefined\n");
}

// ---- Idle -------------------------------------------------------------------------------------------

TEST_F(BridgeTest, IdleStoresTheVideoRectangles) {
    EXPECT_EQ(adapter_->SetVideoRect(0, 24, 88, 480, 360), 0);
    EXPECT_EQ(adapter_->SetVideoRect(7, 514, 88, 480, 360), 0);
    EXPECT_EQ(adapter_->SetPopupVideoRect(1, 5, 35, 640, 480), 0);
    const vexplayer::VideoRectSet& main = adapter_->MainVideoRects();
    EXPECT_EQ(main.channel[0].x, 24);
    EXPECT_EQ(main.channel[0].height, 360);
    EXPECT_EQ(main.channel[1].x, 514);
    EXPECT_EQ(adapter_->PopupVideoRects().channel[1].width, 640);
    EXPECT_EQ(adapter_->PopupVideoRects().channel[0].width, 0);
}

TEST_F(BridgeTest, UnloadFreesTheLibraryAndResetsThePlayer) {
    EXPECT_EQ(adapter_->ClosePlayer(), 1);   // nothing loaded
    Load();
    adapter_->channelMode = 1;
    adapter_->channel1PopupWindow = 77;
    adapter_->channel2PopupShown = 1;
    adapter_->SetState(StateId::Exited);
    EXPECT_EQ(adapter_->ClosePlayer(), 0);
    EXPECT_FALSE(adapter_->LibraryLoaded());
    EXPECT_EQ(adapter_->channelMode, 2);
    EXPECT_EQ(adapter_->channel1PopupWindow, platform::kNoWindow);
    EXPECT_EQ(adapter_->channel2PopupShown, 0);
    EXPECT_EQ(adapter_->Volume(), 100);
    EXPECT_EQ(adapter_->EntryCount(), TarnUDAT::kUnknownEntryCount);
    for (const StateId id : {StateId::Idle, StateId::Ready}) {
        adapter_->SetState(StateId::Idle);
        Load();
        adapter_->SetState(id);
        EXPECT_EQ(adapter_->ClosePlayer(), 0);
        EXPECT_FALSE(adapter_->LibraryLoaded());
    }
}

// ---- Playing ----------------------------------------------------------------------------------------

TEST_F(BridgeTest, PlayingSendsItsCommands) {
    Load();
    adapter_->SetState(StateId::Playing);
    EXPECT_EQ(adapter_->Play(), 0);
    EXPECT_EQ(adapter_->Stop(), 0);
    EXPECT_EQ(adapter_->Pause(), 0);
    EXPECT_EQ(adapter_->Seek(1.0f, true), 0);
    EXPECT_EQ(adapter_->Seek(-1.0f, true), 0);
    EXPECT_EQ(adapter_->Seek(12.5f, false), 0);
    EXPECT_EQ(adapter_->SetSpeed(0.5f, true), 0);
    EXPECT_EQ(adapter_->SetSpeed(2.0f, false), 0);
    EXPECT_EQ(adapter_->MultiplySpeed(2.0f, true), 0);
    EXPECT_EQ(adapter_->MultiplySpeed(1.0f, false), 0);
    EXPECT_EQ(adapter_->SetVolume(5.0f, true), 0);    // from 100
    EXPECT_EQ(adapter_->SetVolume(37.9f, false), 0);
    EXPECT_EQ(adapter_->SetVolume(-2.5f, true), 0);
    EXPECT_EQ(adapter_->SetVolume(3e9f, false), 0);   // saturates instead of overflowing
    EXPECT_EQ(scripted::Commands(),
              (Commands{"pause", "pt_step 1 1", "pause", "seek 1.00", "seek -1.00", "seek 12.50 2", "speed_incr 0.50",
                        "speed_set 2.00 2", "speed_mult 2.00", "speed_set 1.00 2", "volume 105 2", "volume 37 2",
                        "volume 34 2", "volume 2147483647 2"}));
}

TEST_F(BridgeTest, PlayingOpensNextFilesWithForwardSlashes) {
    Load();
    adapter_->SetState(StateId::Playing);
    const std::string out = Captured([&] { EXPECT_EQ(adapter_->PlayFiles("D:\\rec\\a.mp4", "D:\\rec\\b.mp4"), 0); });
    const std::string command = "tarn_loadfile \"D:/rec/a.mp4\" \"D:/rec/b.mp4\"";
    EXPECT_EQ(scripted::Commands(), Commands{command});
    EXPECT_NE(out.find("[stat1::SetNextNPlay] >>>>> " + command + "\n"), std::string::npos);
    EXPECT_EQ(adapter_->Channel1Path(), "D:\\rec\\a.mp4");
    EXPECT_TRUE(adapter_->NoUserData());   // not a readable file
}

TEST_F(BridgeTest, LoadCommandsThatDoNotFitOrHoldAQuoteAreRefused) {
    Load();
    adapter_->SetState(StateId::Playing);
    TarnState& playing = adapter_->State(StateId::Playing);
    // "tarn_loadfile \"\" \"\"" takes 19 characters: paths of 236 in all fill the 255 usable.
    const std::string fits(118, 'a');
    EXPECT_EQ(playing.SetNextNPlay(fits, fits), 0);
    EXPECT_EQ(scripted::Commands().back().size(), 255u);
    const std::string out = Captured([&] {
        EXPECT_EQ(playing.SetNextNPlay(fits + "b", fits), kCommandRefused);
        EXPECT_EQ(playing.SetNextNPlay(std::string(300, 'c'), ""), kCommandRefused);
        EXPECT_EQ(playing.SetNextNPlay("a\"b.mp4", "c.mp4"), kCommandRefused);
        adapter_->SetState(StateId::Ended);
        EXPECT_EQ(adapter_->State(StateId::Ended).SetNextNPlay("x.mp4", "q\".mp4"), kCommandRefused);
    });
    EXPECT_NE(out.find("refused"), std::string::npos);
    EXPECT_EQ(scripted::Commands().size(), 1u);
    EXPECT_EQ(adapter_->Channel1Path(), fits);   // a refused open keeps the files that play
}

TEST_F(BridgeTest, PlayingDrivesTheVideoWindows) {
    Load();
    adapter_->SetState(StateId::Playing);
    EXPECT_EQ(adapter_->FrameStep(), 1);
    EXPECT_EQ(adapter_->SetVideoRect(0, 24, 88, 480, 360), 1);
    EXPECT_EQ(adapter_->RefreshVideo(1), 1);

    RecorderWindow channel1;
    scripted::Fire(vexplayer::kEventVideoWindow1, reinterpret_cast<void*>(std::uintptr_t{channel1.hwnd()}));
    EXPECT_EQ(adapter_->FrameStep(), 0);
    EXPECT_EQ(channel1.Of(vexplayer::WM_PLAYERWND_FRAMESTEP).size(), 1u);
    EXPECT_EQ(adapter_->SetVideoRect(1, 514, 88, 480, 360), 2);   // channel 2's window unknown
    EXPECT_EQ(adapter_->MainVideoRects().channel[1].x, 0);
    EXPECT_EQ(adapter_->RefreshVideo(2), 1);
    EXPECT_EQ(adapter_->RefreshVideo(3), 1);

    RecorderWindow channel2;
    scripted::Fire(vexplayer::kEventVideoWindow2, reinterpret_cast<void*>(std::uintptr_t{channel2.hwnd()}));
    EXPECT_EQ(adapter_->SetVideoRect(1, 514, 88, 480, 360), 0);
    EXPECT_EQ(QRect(channel2.pos(), channel2.size()), QRect(514, 88, 480, 360));
    EXPECT_TRUE(channel2.isVisible());
    EXPECT_EQ(adapter_->MainVideoRects().channel[1].x, 514);
    EXPECT_EQ(adapter_->SetPopupVideoRect(0, 5, 35, 640, 480), 0);
    EXPECT_EQ(QRect(channel1.pos(), channel1.size()), QRect(5, 35, 640, 480));
    EXPECT_EQ(adapter_->PopupVideoRects().channel[0].width, 640);

    channel2.seen.clear();
    EXPECT_EQ(adapter_->RefreshVideo(2), 0);
    ASSERT_EQ(channel2.seen.size(), 2u);
    EXPECT_EQ(channel2.seen[0].msg, vexplayer::WM_PLAYERWND_PLACE);
    EXPECT_EQ(channel2.seen[1].msg, vexplayer::WM_PLAYERWND_SHOW);
}

// Before event 21 the library has not given its stop flag: nothing is written through it.
TEST_F(BridgeTest, ClosePlayerInPlayingBeforeTheStopFlagIsKnown) {
    EXPECT_EQ(adapter_->State(StateId::Playing).ClosePlayer(), 1);   // nothing loaded
    Load();
    adapter_->SetState(StateId::Playing);
    EXPECT_EQ(adapter_->ClosePlayer(), 1);
    EXPECT_EQ(*scripted::StopFlag(), 0);
    scripted::Fire(vexplayer::kEventStopFlag, scripted::StopFlag());
    EXPECT_EQ(adapter_->ClosePlayer(), 1);
    EXPECT_EQ(*scripted::StopFlag(), 1);
}

// ---- Ended, Ready -----------------------------------------------------------------------------------

TEST_F(BridgeTest, EndedReopensFilesAndUsesIdlesAndPlayingsOperations) {
    Load();
    adapter_->SetState(StateId::Ended);
    EXPECT_EQ(adapter_->Play(), 1);   // no kept paths
    const std::string out = Captured([&] { EXPECT_EQ(adapter_->State(StateId::Ended).SetFileNPlay("a.mp4", "b.mp4"), 0); });
    EXPECT_EQ(out.find("[stat1"), std::string::npos);
    EXPECT_EQ(adapter_->Play(), 0);
    const std::string command = "tarn_loadfile \"a.mp4\" \"b.mp4\"";
    EXPECT_EQ(scripted::Commands(), (Commands{command, command}));

    EXPECT_EQ(adapter_->SetVideoRect(1, 9, 8, 7, 6), 0);
    EXPECT_EQ(adapter_->MainVideoRects().channel[1].x, 9);
    EXPECT_EQ(adapter_->RefreshVideo(1), 1);   // Playing's: the channel-1 window is unknown
    RecorderWindow channel1;
    scripted::Fire(vexplayer::kEventVideoWindow1, reinterpret_cast<void*>(std::uintptr_t{channel1.hwnd()}));
    EXPECT_EQ(adapter_->RefreshVideo(1), 0);
    EXPECT_EQ(channel1.Of(vexplayer::WM_PLAYERWND_SHOW).size(), 1u);
}

TEST_F(BridgeTest, EndedClosesAfterTheLibraryReportsItsExitAndTheNextFilesPlay) {
    EXPECT_EQ(adapter_->State(StateId::Ended).ClosePlayer(), 1);   // nothing to quit
    Load();
    adapter_->SetState(StateId::Ended);
    scripted::SetOnQuit([] { scripted::Fire(vexplayer::kEventExited, nullptr); });
    EXPECT_EQ(adapter_->ClosePlayer(), 0);
    EXPECT_EQ(scripted::Commands(), Commands{"quit"});
    EXPECT_EQ(adapter_->CurrentStateId(), StateId::Idle);
    EXPECT_EQ(adapter_->PreviousStateId(), StateId::Exited);
    EXPECT_FALSE(adapter_->LibraryLoaded());

    scripted::SetOnQuit(nullptr);
    EXPECT_EQ(adapter_->PlayFiles(Recording("front.mp4"), ""), 0);
    EXPECT_TRUE(adapter_->LibraryLoaded());
    EXPECT_TRUE(scripted::WaitForVelmo(std::chrono::seconds(5)));
}

TEST_F(BridgeTest, ReadyPlaysNothingAndStoresRectangles) {
    Load();
    adapter_->SetState(StateId::Ready);
    EXPECT_EQ(adapter_->Play(), 1);
    EXPECT_EQ(adapter_->SetPopupVideoRect(0, 5, 35, 640, 480), 0);
    EXPECT_EQ(adapter_->PopupVideoRects().channel[0].y, 35);
}

// ---- Opening and SetState ---------------------------------------------------------------------------

TEST_F(BridgeTest, OpeningForwardsToTheStateItWasEnteredFrom) {
    Load();
    adapter_->SetState(StateId::Playing);
    adapter_->SetState(StateId::Opening);
    EXPECT_EQ(adapter_->Seek(3.0f, false), 0);
    EXPECT_EQ(adapter_->FrameStep(), 1);
    EXPECT_EQ(scripted::Commands(), Commands{"seek 3.00 2"});

    adapter_->SetState(StateId::Ended);
    EXPECT_EQ(adapter_->PlayFiles("a.mp4", "b.mp4"), 0);
    EXPECT_EQ(adapter_->PlayFiles("c.mp4", "d.mp4"), 0);   // still the files go to Ended
    EXPECT_EQ(adapter_->State(StateId::Opening).EnteredFrom(), &adapter_->State(StateId::Ended));
    EXPECT_EQ(adapter_->PreviousStateId(), StateId::Ended);
    EXPECT_EQ(scripted::Commands().back(), "tarn_loadfile \"c.mp4\" \"d.mp4\"");
    EXPECT_EQ(adapter_->Seek(1.0f, true), kUndefined);   // Ended does not seek
}

TEST_F(BridgeTest, SetStateWakesTheWorkerOnlyOnAChange) {
    EXPECT_EQ(adapter_->CurrentStateId(), StateId::Idle);
    EXPECT_EQ(adapter_->PreviousStateId(), std::nullopt);
    EXPECT_FALSE(adapter_->WakeEvent().IsSet());
    adapter_->SetState(StateId::Idle);
    EXPECT_FALSE(adapter_->WakeEvent().IsSet());
    EXPECT_EQ(adapter_->PreviousStateId(), std::nullopt);
    adapter_->SetState(StateId::Ready);
    EXPECT_TRUE(adapter_->WakeEvent().IsSet());
    EXPECT_EQ(adapter_->PreviousStateId(), StateId::Idle);
    EXPECT_EQ(adapter_->State(StateId::Ready).EnteredFrom(), &adapter_->State(StateId::Idle));
}

} // namespace
} // namespace player::test

// The library's events: slots, frames, end of file, read errors, and the frame hand-over.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <thread>

#include "bridge_fixture.h"
#include "platform/displays.h"
#include "player/player_messages.h"

namespace player::test {
namespace {

void* Value(std::uintptr_t value) { return reinterpret_cast<void*>(value); }

class EventsTest : public BridgeTest {
protected:
    // Loaded, with the user data of a recording of n entries read, in the given state.
    void Prepare(StateId state, int entries = 4) {
        Load();
        adapter_->SetState(StateId::Ended);
        adapter_->PlayFiles(Recording("front.mp4", entries), "");
        ASSERT_FALSE(adapter_->NoUserData());
        SetEntryCount(static_cast<std::uint32_t>(entries));
        adapter_->SetState(state);
    }
    void SetEntryCount(std::uint32_t count) {
        vexplayer::EntryCountInner inner{};
        inner.entryCount = count;
        vexplayer::EntryCountRecord record{};
        record.inner = &inner;
        scripted::Fire(vexplayer::kEventEntryCount, &record);
    }
    void Frame(float position, std::uint32_t index) {
        scripted::Fire(vexplayer::kEventUserDataIndex, Value(index));
        frame_.positionSeconds = position;
        scripted::Fire(vexplayer::kEventFrame, &frame_);
    }
    std::size_t UserDataMessages() const { return mainWindow_->Of(WM_PLAYER_USERDATA).size(); }
    std::size_t ClipEndMessages() const { return mainWindow_->Of(WM_PLAYER_CLIPEND).size(); }

    std::vector<std::uint8_t> picture1_ = std::vector<std::uint8_t>(vexplayer::kFramePictureBytes, 0x11);
    std::vector<std::uint8_t> picture2_ = std::vector<std::uint8_t>(vexplayer::kFramePictureBytes, 0x22);
    vexplayer::FrameRecord frame_ = FrameWith(picture1_.data(), picture2_.data());

    static vexplayer::FrameRecord FrameWith(const std::uint8_t* channel1, const std::uint8_t* channel2) {
        vexplayer::FrameRecord frame{};
        frame.pictureBytes = vexplayer::kFramePictureBytes;
        frame.channel1Picture = channel1;
        frame.channel2Picture = channel2;
        return frame;
    }
};

TEST_F(EventsTest, SlotsAreFilledFromTheAdapter) {
    adapter_->channel1PopupWindow = 41;
    adapter_->channel2PopupWindow = 42;
    adapter_->channel1PopupShown = 1;
    adapter_->channelMode = 1;
    adapter_->encryptedView = 1;
    adapter_->encryptionKey = 0xABCDu;
    Load();
    int displayWidth = 0;
    int displayHeight = 0;
    for (const platform::DisplayMode& display : platform::EnumDisplays()) {
        displayWidth += display.width;
        displayHeight = display.height;
    }
    struct Row {
        int code;
        std::int64_t expected;
    };
    const Row rows[] = {
        {vexplayer::kEventMainWindowSlot, mainWindow_->hwnd()},
        {vexplayer::kEventPopup1Slot, 41},
        {vexplayer::kEventPopup2Slot, 42},
        {vexplayer::kEventDisplayWidthSlot, displayWidth},
        {vexplayer::kEventDisplayHeightSlot, displayHeight},
        {vexplayer::kEventVolumeSlot, 100},
        {vexplayer::kEventPopup1ShownSlot, 1},
        {vexplayer::kEventPopup2ShownSlot, 0},
        {vexplayer::kEventNoUserDataSlot, 1},
        {vexplayer::kEventChannelCountSlot, 1},
        {vexplayer::kEventEncryptedViewSlot, 1},
        {vexplayer::kEventKeySlot, 0xABCD},
    };
    for (const Row& row : rows) {
        std::int32_t slot = -7;
        scripted::Fire(row.code, &slot);
        EXPECT_EQ(slot, row.expected) << "event " << row.code;
        scripted::Fire(row.code, nullptr);   // a missing slot is left alone
    }
    EXPECT_GT(displayWidth, 0);
    // The addresses lead to the rectangles the main window set.
    adapter_->SetVideoRect(1, 514, 88, 480, 360);
    adapter_->SetPopupVideoRect(0, 5, 35, 640, 480);
    std::uintptr_t address = 0;
    scripted::Fire(vexplayer::kEventMainRectsSlot, &address);
    ASSERT_NE(address, 0u);
    const vexplayer::VideoRect main =
        vexplayer::LoadVideoRectSet(*reinterpret_cast<const vexplayer::VideoRectSet*>(address)).channel[1];
    EXPECT_EQ((std::array<int, 4>{main.x, main.y, main.width, main.height}), (std::array<int, 4>{514, 88, 480, 360}));
    address = 0;
    scripted::Fire(vexplayer::kEventPopupRectsSlot, &address);
    ASSERT_NE(address, 0u);
    const vexplayer::VideoRect popup =
        vexplayer::LoadVideoRectSet(*reinterpret_cast<const vexplayer::VideoRectSet*>(address)).channel[0];
    EXPECT_EQ((std::array<int, 4>{popup.x, popup.y, popup.width, popup.height}), (std::array<int, 4>{5, 35, 640, 480}));
}

TEST_F(EventsTest, ValuesStatesAndUnknownCodes) {
    Load();
    scripted::Fire(vexplayer::kEventVideoWindow1, Value(901));
    scripted::Fire(vexplayer::kEventVideoWindow2, Value(902));
    scripted::Fire(vexplayer::kEventUserDataIndex, Value(17));
    float length = 61.75f;
    scripted::Fire(vexplayer::kEventClipLength, &length);
    EXPECT_EQ(adapter_->VideoWindow1(), 901u);
    EXPECT_EQ(adapter_->VideoWindow2(), 902u);
    EXPECT_EQ(adapter_->CurrentIndex(), 17u);
    EXPECT_EQ(adapter_->ClipLength(), 61.75f);
    EXPECT_EQ(adapter_->lengthSeconds, 61);
    SetEntryCount(1800);
    EXPECT_EQ(adapter_->EntryCount(), 1800u);
    vexplayer::EntryCountRecord noInner{};
    scripted::Fire(vexplayer::kEventEntryCount, &noInner);
    scripted::Fire(vexplayer::kEventEntryCount, nullptr);
    scripted::Fire(vexplayer::kEventClipLength, nullptr);
    scripted::Fire(vexplayer::kEventFrame, nullptr);
    EXPECT_EQ(adapter_->EntryCount(), 1800u);

    const std::pair<int, StateId> transitions[] = {
        {vexplayer::kEventReady, StateId::Ready},   {vexplayer::kEventPlaybackStarted, StateId::Playing},
        {vexplayer::kEventExited, StateId::Exited}, {vexplayer::kEventIdle, StateId::Idle},
    };
    for (const auto& [code, state] : transitions) {
        scripted::Fire(code, nullptr);
        EXPECT_EQ(adapter_->CurrentStateId(), state);
    }
    for (const int unknown : {-1, 1, 2, 5, 7, 38, 99, 1 << 20}) scripted::Fire(unknown, Value(5));
    EXPECT_EQ(adapter_->CurrentStateId(), StateId::Idle);
    EXPECT_EQ(scripted::Commands(), std::vector<std::string>{});
}

TEST_F(EventsTest, PlaybackStartedAsksTheVideoWindowForTheClipLength) {
    Load();
    RecorderWindow channel1;
    scripted::Fire(vexplayer::kEventVideoWindow1, Value(channel1.hwnd()));
    scripted::Fire(vexplayer::kEventPlaybackStarted, nullptr);
    const auto asked = channel1.Of(vexplayer::WM_PLAYERWND_COMMAND);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_STREQ(reinterpret_cast<const char*>(asked[0].wParam), "get_time_length");
}

TEST_F(EventsTest, AFrameCopiesTheEntryOfTheCurrentIndexAndTellsTheMainWindow) {
    Prepare(StateId::Playing);
    Frame(12.9f, 2);
    EXPECT_EQ(adapter_->positionSeconds, 12);
    EXPECT_EQ(adapter_->Position(), 12.9f);
    EXPECT_EQ(UserDataMessages(), 1u);
    UserDataSnapshot snapshot = adapter_->SnapshotUserData();
    EXPECT_TRUE(snapshot.hasCopies);
    EXPECT_FALSE(snapshot.noUserData);
    EXPECT_EQ(snapshot.GpsText(), GpsSentence(2));
    EXPECT_EQ(snapshot.GSensor(), GSensorSample(2));
    // The pictures are the adapter's own copies: the library may free its memory at once.
    std::fill(picture1_.begin(), picture1_.end(), 0);
    EXPECT_TRUE(std::ranges::equal(adapter_->LatestPicture(1),
                                   std::vector<std::uint8_t>(vexplayer::kFramePictureBytes, 0x11)));
    EXPECT_TRUE(std::ranges::equal(adapter_->LatestPicture(2), picture2_));

    // The index equal to the entry count has no entries: the copies are zero-filled.
    Frame(13.0f, 4);
    snapshot = adapter_->SnapshotUserData();
    EXPECT_EQ(snapshot.GpsText(), "");
    EXPECT_EQ(snapshot.GSensor(), (std::array<float, 3>{0, 0, 0}));

    // In one-channel mode the channel-2 picture is not taken.
    adapter_->channelMode = 1;
    const std::vector<std::uint8_t> other(vexplayer::kFramePictureBytes, 0x33);
    frame_.channel1Picture = other.data();
    frame_.channel2Picture = nullptr;
    Frame(14.0f, 1);
    EXPECT_TRUE(std::ranges::equal(adapter_->LatestPicture(1), other));
    EXPECT_TRUE(std::ranges::equal(adapter_->LatestPicture(2), picture2_));

    // A frame without a picture leaves no picture to copy.
    frame_.channel1Picture = nullptr;
    Frame(15.0f, 1);
    EXPECT_TRUE(adapter_->LatestPicture(1).empty());
}

TEST_F(EventsTest, AFrameWhileOpeningBelongsToTheReplacedFile) {
    Prepare(StateId::Playing);
    Frame(5.5f, 1);
    adapter_->SetState(StateId::Opening);
    Frame(30.0f, 3);
    EXPECT_EQ(adapter_->positionSeconds, 0);
    EXPECT_EQ(adapter_->Position(), 0.0f);
    const UserDataSnapshot snapshot = adapter_->SnapshotUserData();
    EXPECT_TRUE(snapshot.hasCopies);
    EXPECT_EQ(snapshot.GpsText(), "");
    EXPECT_EQ(snapshot.GSensor(), (std::array<float, 3>{0, 0, 0}));
    EXPECT_EQ(UserDataMessages(), 2u);
}

TEST_F(EventsTest, WithoutUserDataTheCopiesStayAndTheMessageIsSent) {
    Prepare(StateId::Playing);
    Frame(1.0f, 1);
    adapter_->SetState(StateId::Ended);
    adapter_->PlayFiles((folder_ / "missing.mp4").string(), "");
    adapter_->SetState(StateId::Playing);
    Frame(2.0f, 2);
    const UserDataSnapshot snapshot = adapter_->SnapshotUserData();
    EXPECT_TRUE(snapshot.noUserData);
    EXPECT_EQ(snapshot.GpsText(), GpsSentence(1));
    EXPECT_EQ(UserDataMessages(), 2u);
    std::int32_t slot = 0;
    scripted::Fire(vexplayer::kEventNoUserDataSlot, &slot);
    EXPECT_EQ(slot, 1);
}

TEST_F(EventsTest, EndOfFileEntersEndedFromPlayingAndReportsOnlyTheLastEntry) {
    // In any other state: no change, no message.
    Prepare(StateId::Idle);
    for (const StateId state : {StateId::Idle, StateId::Ready, StateId::Exited, StateId::Ended, StateId::Opening}) {
        adapter_->SetState(state);
        scripted::Fire(vexplayer::kEventUserDataIndex, Value(3));
        scripted::Fire(vexplayer::kEventEndOfFile, nullptr);
        EXPECT_EQ(adapter_->CurrentStateId(), state);
    }
    EXPECT_EQ(ClipEndMessages(), 0u);

    struct Case {
        std::uint32_t count;
        std::uint32_t index;
        bool reported;
    };
    const Case cases[] = {
        {4, 3, true}, {4, 2, false}, {4, 9, true}, {1, 0, true}, {0, 0, true},
        {TarnUDAT::kUnknownEntryCount, 0, false}, {TarnUDAT::kUnknownEntryCount, 0xFFFFFFFEu, false},
    };
    for (const Case& c : cases) {
        adapter_->SetState(StateId::Playing);
        SetEntryCount(c.count);
        scripted::Fire(vexplayer::kEventUserDataIndex, Value(c.index));
        const std::size_t before = ClipEndMessages();
        scripted::Fire(vexplayer::kEventEndOfFile, nullptr);
        EXPECT_EQ(adapter_->CurrentStateId(), StateId::Ended);
        EXPECT_EQ(ClipEndMessages() - before, c.reported ? 1u : 0u) << c.count << " " << c.index;
    }
    const Message clipEnd = mainWindow_->Of(WM_PLAYER_CLIPEND).front();
    EXPECT_EQ(clipEnd.wParam, 0u);
    EXPECT_EQ(clipEnd.lParam, 1);
}

TEST_F(EventsTest, AReadErrorWhilePlayingStopsAndAsksForTheDisk) {
    DialogHooks hooks;
    Prepare(StateId::Ready);
    scripted::Fire(vexplayer::kEventReadError, nullptr);
    adapter_->SetState(StateId::Playing);
    std::thread library([] { scripted::Fire(vexplayer::kEventReadError, nullptr); });
    library.join();   // the library's thread did not wait for the message box
    const std::vector<std::string> commands = scripted::Commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "pt_step 1 1"), 1);
    EXPECT_EQ(commands.back(), "pt_step 1 1");
    ASSERT_TRUE(WaitUntil([&] { return !hooks.messages.empty(); }));
    EXPECT_EQ(hooks.messages, std::vector<std::string>{"저장디스크를 확인하여 주십시오."});
}

TEST_F(EventsTest, NotifyMovedTellsTheChannelOneVideoWindow) {
    EXPECT_EQ(adapter_->NotifyMoved(), 1);
    Load();
    RecorderWindow channel1;
    scripted::Fire(vexplayer::kEventVideoWindow1, Value(channel1.hwnd()));
    EXPECT_EQ(adapter_->NotifyMoved(), 0);
    ASSERT_EQ(channel1.seen.size(), 2u);
    EXPECT_EQ(channel1.seen[0].msg, platform::WM_MOVE);
    EXPECT_EQ(channel1.seen[1].msg, vexplayer::WM_PLAYERWND_OWNERMOVED);
}

// A library thread hammers frames of alternating steps while the user-interface thread takes
// snapshots: each snapshot's GPS sentence and G-sensor sample belong to the same step.
TEST_F(EventsTest, SnapshotsAreNeverTorn) {
    constexpr int kEntries = 64;
    adapter_ = std::make_unique<TarnAdap>(platform::kNoWindow);   // no message queue to flood
    Prepare(StateId::Playing, kEntries);
    std::atomic<bool> stop{false};
    std::thread library([&] {
        vexplayer::FrameRecord frame{};
        for (std::uint32_t step = 0; !stop.load(); step = (step * 7 + 3) % kEntries) {
            scripted::Fire(vexplayer::kEventUserDataIndex, Value(step));
            scripted::Fire(vexplayer::kEventFrame, &frame);
        }
    });
    int checked = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(700);
    while (std::chrono::steady_clock::now() < deadline) {
        const UserDataSnapshot snapshot = adapter_->SnapshotUserData();
        if (!snapshot.hasCopies) continue;
        const float x = snapshot.GSensor()[0];
        const int step = static_cast<int>(x * 4.0f);
        ASSERT_EQ(snapshot.GpsText(), GpsSentence(step)) << "G-sensor of step " << step;
        ASSERT_EQ(snapshot.GSensor(), GSensorSample(step));
        ++checked;
    }
    stop = true;
    library.join();
    EXPECT_GT(checked, 100);
}

} // namespace
} // namespace player::test

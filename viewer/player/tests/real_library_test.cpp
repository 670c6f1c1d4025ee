// The adapter with the real player library (libvexplayer.so, loaded as "vexplayer.dll") playing
// recordings of the default sample card: two whole continuous pairs and one one-channel recording.
#include <gtest/gtest.h>

#include <filesystem>

#include "comma_locale.h"
#include "gui_support.h"
#include "platform/clock.h"
#include "player/player_messages.h"
#include "player/tarn_adap.h"
#include "recorder_window.h"
#include "sample_card.h"
#include "test_folders.h"

namespace player {
namespace {

using namespace std::chrono_literals;
using samplecard::PlannedRecording;
using tripdesk::test::FreshFolder;
using tripdesk::test::RecorderWindow;
using tripdesk::test::SampleCard;
using tripdesk::test::WaitUntil;

class RealLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetClockFastForward(true);  // the states' settles; the library keeps its own time
        adapter_ = std::make_unique<TarnAdap>(mainWindow_.hwnd());
        adapter_->SetVideoRect(0, 24, 88, 480, 360);
        adapter_->SetVideoRect(1, 514, 88, 480, 360);
        ASSERT_EQ(adapter_->LoadPlayer(vexplayer::kLibraryName), 0);
    }
    void TearDown() override {
        adapter_->Stop();
        adapter_->CloseSequence();
        EXPECT_FALSE(adapter_->PlayerThreadExists());
        adapter_.reset();
    }

    std::size_t UserDataMessages() const { return mainWindow_.Of(WM_PLAYER_USERDATA).size(); }

    // Waits for playback with user data of this recording.
    bool WaitForPlaybackOf(const PlannedRecording& recording) {
        return WaitUntil([&] { return adapter_->CurrentStateId() == StateId::Playing && SnapshotIsOfTheReportedEntry(recording); },
                         30s);
    }

    // The copies hold the sentence and the sample the card's plan gives for the entry the library
    // reported last. The index is read on both sides of the snapshot: a frame in between makes
    // the reading void, and the caller reads again.
    bool SnapshotIsOfTheReportedEntry(const PlannedRecording& recording) const {
        const std::uint32_t index = adapter_->CurrentIndex();
        const UserDataSnapshot snapshot = adapter_->SnapshotUserData();
        if (adapter_->CurrentIndex() != index) return false;
        if (!snapshot.hasCopies || snapshot.noUserData) return false;
        const std::vector<samplecard::TelemetryEntry> entries = card_.plan().telemetryOf(recording.fileName);
        if (index >= entries.size()) return false;
        const samplecard::TelemetryEntry& entry = entries[index];
        return entry.nmea == snapshot.GpsText() &&
               snapshot.GSensor() == std::array<float, 3>{entry.g.x, entry.g.y, entry.g.z};
    }

    // Plays a front recording with its rear file.
    int Play(const PlannedRecording& front) {
        const auto [channel1, channel2] = card_.pathsOf(front);
        return adapter_->PlayFiles(channel1, channel2);
    }

    const SampleCard& card_ = SampleCard::get();
    RecorderWindow mainWindow_;
    std::unique_ptr<TarnAdap> adapter_;
};

// ClosePlayer while playing: the library stops on its own, reports its exit, and the worker frees
// it and resets the adapter.
TEST_F(RealLibraryTest, ClosingThePlayerUnloadsTheLibraryOnTheWorker) {
    const PlannedRecording& first = card_.front(0);
    ASSERT_EQ(Play(first), 0);
    ASSERT_TRUE(WaitForPlaybackOf(first));
    EXPECT_EQ(adapter_->ClosePlayer(), 1);
    ASSERT_TRUE(WaitUntil([&] { return adapter_->CurrentStateId() == StateId::Idle && !adapter_->LibraryLoaded(); }, 30s));
    EXPECT_EQ(adapter_->PreviousStateId(), StateId::Exited);
    EXPECT_FALSE(adapter_->PlayerThreadExists());
}

TEST_F(RealLibraryTest, APairPlaysSwitchesEndsAndReopens) {
    const PlannedRecording& first = card_.front(0);
    const PlannedRecording& second = card_.front(1);
    ASSERT_EQ(Play(first), 0);
    ASSERT_TRUE(WaitForPlaybackOf(first));
    ASSERT_TRUE(WaitUntil([&] { return adapter_->lengthSeconds.load() == card_.seconds(); }, 10s));
    EXPECT_EQ(adapter_->LatestPicture(1).size(), static_cast<std::size_t>(vexplayer::kFramePictureBytes));
    EXPECT_EQ(adapter_->LatestPicture(2).size(), static_cast<std::size_t>(vexplayer::kFramePictureBytes));
    EXPECT_EQ(adapter_->EntryCount(), static_cast<std::uint32_t>(card_.plan().telemetryOf(first.fileName).size()));

    // Another pair while playing: the library takes it without a restart.
    ASSERT_EQ(Play(second), 0);
    ASSERT_TRUE(WaitForPlaybackOf(second));
    EXPECT_EQ(mainWindow_.Of(WM_PLAYER_CLIPEND).size(), 0u);

    // The end of the clip at its last entry.
    ASSERT_TRUE(WaitUntil([&] { return !mainWindow_.Of(WM_PLAYER_CLIPEND).empty(); }, 30s));
    EXPECT_EQ(adapter_->CurrentStateId(), StateId::Ended);
    EXPECT_EQ(mainWindow_.Of(WM_PLAYER_CLIPEND).front().lParam, kClipEndedAtLastEntry);

    // Reopened from Ended.
    ASSERT_EQ(Play(first), 0);
    ASSERT_TRUE(WaitForPlaybackOf(first));
}

TEST_F(RealLibraryTest, AOneChannelRecordingPlaysWithoutASecondPicture) {
    adapter_->channelMode = 1;
    ASSERT_EQ(adapter_->PlayFiles(card_.path(card_.single(0)), ""), 0);
    ASSERT_TRUE(WaitForPlaybackOf(card_.single(0)));
    EXPECT_EQ(adapter_->LatestPicture(1).size(), static_cast<std::size_t>(vexplayer::kFramePictureBytes));
    EXPECT_TRUE(adapter_->LatestPicture(2).empty());
}

TEST_F(RealLibraryTest, AnMjpgPathHasNoUserData) {
    const std::filesystem::path mjpg = FreshFolder("real-library-mjpg") / "clip.mjpg";
    std::filesystem::copy_file(card_.path(card_.single(0)), mjpg);
    adapter_->channelMode = 1;
    ASSERT_EQ(adapter_->PlayFiles(mjpg.string(), ""), 0);
    ASSERT_TRUE(WaitUntil([&] { return UserDataMessages() >= 3; }, 30s));
    const UserDataSnapshot snapshot = adapter_->SnapshotUserData();
    EXPECT_TRUE(snapshot.noUserData);
    EXPECT_FALSE(snapshot.hasCopies);
    EXPECT_EQ(adapter_->UserDataBoxLength(), 0u);
}

// A user with a comma-decimal locale seeks back into the clip: the library takes the command and
// playback continues from the new position.
class RealLibraryCommaLocaleTest : public RealLibraryTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(tripdesk::test::UseCommaDecimalLocale()) << "run scripts/bootstrap to generate the locale";
        RealLibraryTest::SetUp();
    }
};

TEST_F(RealLibraryCommaLocaleTest, ASeekMovesThePosition) {
    const PlannedRecording& first = card_.front(0);
    ASSERT_EQ(Play(first), 0);
    ASSERT_TRUE(WaitForPlaybackOf(first));
    ASSERT_TRUE(WaitUntil([&] { return adapter_->Position() >= 2.0f; }, 30s));
    ASSERT_EQ(adapter_->Seek(0.5f, false), 0);
    EXPECT_TRUE(WaitUntil([&] { return adapter_->Position() < 1.5f; }, 10s)) << adapter_->Position();
}

} // namespace
} // namespace player

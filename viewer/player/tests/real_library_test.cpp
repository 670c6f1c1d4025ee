// The adapter with the real player library (libvexplayer.so, loaded as "vexplayer.dll") playing
// recordings of the sample-card generator.
#include <gtest/gtest.h>

#include <filesystem>
#include <cstdlib>
#include <stdexcept>

#include "player/player_messages.h"
#include "player/tarn_adap.h"
#include "samplecard/card_plan.h"
#include "test_support.h"

namespace player::test {
namespace {

using namespace std::chrono_literals;
using samplecard::ChannelRole;
using samplecard::Defect;
using samplecard::PlannedRecording;

// The sample card, made by the samplecard program in a folder of this test program, and its plan:
// two complete continuous pairs and one one-channel recording are played.
class Card {
public:
    static const Card& Get() {
        static const Card card;
        return card;
    }
    std::string Path(const PlannedRecording& recording) const { return (folder_ / recording.fileName).string(); }
    std::string Rear(const PlannedRecording& front) const { return (folder_ / front.pairedFileName).string(); }
    std::vector<samplecard::TelemetryEntry> Telemetry(const PlannedRecording& recording) const {
        return plan_.telemetryOf(recording.fileName);
    }
    std::vector<const PlannedRecording*> fronts;
    const PlannedRecording* single = nullptr;

private:
    static constexpr int kSeconds = 3;

    Card() : plan_(samplecard::planCard(Options())), folder_(FreshFolder("real-library-card")) {
        // The generator is a program of its own; its reports are not this test's.
        const std::string command = "TSAN_OPTIONS=report_bugs=0 '" + std::string(TRIPDESK_BIN_DIR) + "/samplecard' '" +
                                    folder_.string() + "' --seconds " + std::to_string(kSeconds) + " > /dev/null";
        if (std::system(command.c_str()) != 0) throw std::runtime_error("samplecard failed: " + command);
        for (const PlannedRecording& recording : plan_.recordings) {
            const bool usable = recording.defect == Defect::None && !recording.pairMissing &&
                                recording.kind == samplecard::RecordingKind::Continuous;
            if (!usable) continue;
            if (recording.role == ChannelRole::Front && fronts.size() < 2) fronts.push_back(&recording);
            if (recording.role == ChannelRole::Single && !single) single = &recording;
        }
    }
    static samplecard::CardOptions Options() {
        samplecard::CardOptions options;
        options.seconds = kSeconds;
        return options;
    }

    samplecard::CardPlan plan_;
    std::filesystem::path folder_;
};

class RealLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        card_ = &Card::Get();
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
        return PumpUntil([&] { return adapter_->CurrentStateId() == StateId::Playing && SnapshotBelongsTo(recording); },
                         30s);
    }

    // The copies hold the sentence and the sample of one step of the recording.
    bool SnapshotBelongsTo(const PlannedRecording& recording) const {
        const UserDataSnapshot snapshot = adapter_->SnapshotUserData();
        if (!snapshot.hasCopies || snapshot.noUserData || snapshot.GpsText().empty()) return false;
        const std::array<float, 3> g = snapshot.GSensor();
        for (const samplecard::TelemetryEntry& entry : card_->Telemetry(recording)) {
            if (entry.nmea == snapshot.GpsText() && g == std::array<float, 3>{entry.g.x, entry.g.y, entry.g.z})
                return true;
        }
        return false;
    }

    const Card* card_ = nullptr;
    RecorderWindow mainWindow_;
    std::unique_ptr<TarnAdap> adapter_;
};

// ClosePlayer while playing: the library stops on its own, reports its exit, and the worker frees
// it and resets the adapter.
TEST_F(RealLibraryTest, ClosingThePlayerUnloadsTheLibraryOnTheWorker) {
    const PlannedRecording& first = *card_->fronts[0];
    ASSERT_EQ(adapter_->PlayFiles(card_->Path(first), card_->Rear(first)), 0);
    ASSERT_TRUE(WaitForPlaybackOf(first));
    EXPECT_EQ(adapter_->ClosePlayer(), 1);
    ASSERT_TRUE(PumpUntil([&] { return adapter_->CurrentStateId() == StateId::Idle && !adapter_->LibraryLoaded(); }, 30s));
    EXPECT_EQ(adapter_->PreviousStateId(), StateId::Exited);
    EXPECT_FALSE(adapter_->PlayerThreadExists());
}

TEST_F(RealLibraryTest, APairPlaysSwitchesEndsAndReopens) {
    const PlannedRecording& first = *card_->fronts[0];
    const PlannedRecording& second = *card_->fronts[1];
    ASSERT_EQ(adapter_->PlayFiles(card_->Path(first), card_->Rear(first)), 0);
    ASSERT_TRUE(WaitForPlaybackOf(first));
    ASSERT_TRUE(PumpUntil([&] { return adapter_->lengthSeconds.load() == 3; }, 10s));
    const FramePictures pictures = adapter_->SnapshotPictures();
    EXPECT_NE(pictures.channel1, nullptr);
    EXPECT_NE(pictures.channel2, nullptr);
    EXPECT_EQ(pictures.pictureBytes, vexplayer::kFramePictureBytes);
    EXPECT_EQ(adapter_->EntryCount(), static_cast<std::uint32_t>(card_->Telemetry(first).size()));

    // Another pair while playing: the library takes it without a restart.
    ASSERT_EQ(adapter_->PlayFiles(card_->Path(second), card_->Rear(second)), 0);
    ASSERT_TRUE(WaitForPlaybackOf(second));
    EXPECT_EQ(mainWindow_.Of(WM_PLAYER_CLIPEND).size(), 0u);

    // The end of the clip at its last entry.
    ASSERT_TRUE(PumpUntil([&] { return !mainWindow_.Of(WM_PLAYER_CLIPEND).empty(); }, 30s));
    EXPECT_EQ(adapter_->CurrentStateId(), StateId::Ended);
    EXPECT_EQ(mainWindow_.Of(WM_PLAYER_CLIPEND).front().lParam, kClipEndedAtLastEntry);

    // Reopened from Ended.
    ASSERT_EQ(adapter_->PlayFiles(card_->Path(first), card_->Rear(first)), 0);
    ASSERT_TRUE(WaitForPlaybackOf(first));
}

TEST_F(RealLibraryTest, AOneChannelRecordingPlaysWithoutASecondPicture) {
    adapter_->channelMode = 1;
    ASSERT_EQ(adapter_->PlayFiles(card_->Path(*card_->single), ""), 0);
    ASSERT_TRUE(WaitForPlaybackOf(*card_->single));
    EXPECT_NE(adapter_->SnapshotPictures().channel1, nullptr);
    EXPECT_EQ(adapter_->SnapshotPictures().channel2, nullptr);
}

TEST_F(RealLibraryTest, AnMjpgPathHasNoUserData) {
    const std::filesystem::path mjpg = FreshFolder("real-library-mjpg") / "clip.mjpg";
    std::filesystem::copy_file(card_->Path(*card_->single), mjpg);
    adapter_->channelMode = 1;
    ASSERT_EQ(adapter_->PlayFiles(mjpg.string(), ""), 0);
    ASSERT_TRUE(PumpUntil([&] { return UserDataMessages() >= 3; }, 30s));
    const UserDataSnapshot snapshot = adapter_->SnapshotUserData();
    EXPECT_TRUE(snapshot.noUserData);
    EXPECT_FALSE(snapshot.hasCopies);
    EXPECT_EQ(adapter_->UserDataBoxLength(), 0u);
}

} // namespace
} // namespace player::test

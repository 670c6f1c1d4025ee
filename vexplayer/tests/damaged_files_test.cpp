// Channel 1 that cannot be played gives a read error and leaves the player alive; channel 2 that
// cannot be played never stops channel 1; one-channel playback; encrypted recordings.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/messages.h"
#include "player_harness.h"
#include "sample_card.h"
#include "test_folders.h"

namespace vexplayer::testing {
namespace {

using samplecard::Defect;
using tripdesk::test::SampleCard;
using tripdesk::test::ScratchFolder;

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = (ScratchFolder() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string CopyPrefix(const std::string& from, const std::string& name, std::size_t bytes) {
    std::ifstream in(from, std::ios::binary);
    std::string content(bytes, '\0');
    in.read(content.data(), static_cast<std::streamsize>(bytes));
    content.resize(static_cast<std::size_t>(in.gcount()));
    return WriteFile(name, content);
}

struct DamagedChannel1 {
    const char* name;
    std::function<std::string()> path;
};

std::vector<DamagedChannel1> DamagedFiles() {
    const SampleCard& card = SampleCard::get();
    const std::string good = card.pair(0).first;
    const std::string ftyp("\0\0\0\x18" "ftypisom\0\0\0\0isomavc1", 24);
    return {
        {"missing", [&card] { return card.path("no-such-file.mp4"); }},
        {"empty", [&card] { return card.path(card.withDefect(Defect::Empty)); }},
        {"cut before its index", [&card] { return card.path(card.withDefect(Defect::CutBeforeIndex)); }},
        {"first box not ftyp", [&card] { return card.path(card.withDefect(Defect::Scrambled)); }},
        {"not an MP4", [] { return WriteFile("notes.mp4", "these are not the recordings you are looking for\n"); }},
        {"a folder", [] { return ScratchFolder().string(); }},
        {"cut in the middle", [good] {
             return CopyPrefix(good, "half.mp4", static_cast<std::size_t>(std::filesystem::file_size(good) / 2));
         }},
        {"hostile boxes", [ftyp] {
             // A moov that claims far more than the file holds, then a trak of nonsense.
             return WriteFile("hostile.mp4", ftyp + std::string("\x7F\xFF\xFF\xF0moov\0\0\0\x10trak\xFF\xFF\xFF\xFF", 20) +
                                                 std::string(64, '\xFF'));
         }},
    };
}

TEST(DamagedChannel1, GivesAReadErrorAndTheNextFilePlays) {
    const auto [front, rear] = SampleCard::get().pair(0);
    for (const DamagedChannel1& damaged : DamagedFiles()) {
        SCOPED_TRACE(damaged.name);
        PlayerHarness player;
        player.start(damaged.path(), rear);
        const auto failed = player.waitForEvent(kEventReadError);
        ASSERT_TRUE(failed);
        std::vector<int> codes = player.codes();
        const auto ready = std::find(codes.begin(), codes.end(), kEventReady);
        ASSERT_NE(ready, codes.end());
        EXPECT_EQ(std::vector<int>(ready, ready + 3), (std::vector<int>{0, 18, 35}));
        EXPECT_TRUE(player.frames().empty());

        const std::size_t from = player.eventCount();
        ASSERT_EQ(player.command("tarn_loadfile \"" + front + "\" \"" + rear + "\""), 0);
        EXPECT_GE(player.waitForFrames(3, from).size(), 3u);
        ASSERT_EQ(player.command("quit"), 0);
        ASSERT_TRUE(player.waitForReturn());
        EXPECT_EQ(player.codes().back(), kEventExited);
    }
}

TEST(DamagedChannel2, NeverStopsChannel1) {
    const SampleCard& card = SampleCard::get();
    const auto [front, rearMissing] = card.pathsOf(card.frontWithoutRear());
    const auto [goodFront, goodRear] = card.pair(0);
    for (const std::string& rear : {rearMissing, card.path(card.withDefect(Defect::Empty)),
                                    WriteFile("garbage-rear.mp4", std::string(4096, '\x5A')),
                                    CopyPrefix(goodRear, "half-rear.mp4", 20000)}) {
        SCOPED_TRACE(rear);
        PlayerHarness player;
        player.start(front, rear);
        const auto frames = player.waitForFrames(10, 0);
        ASSERT_GE(frames.size(), 10u);
        for (const FrameEvent& frame : frames) {
            EXPECT_TRUE(frame.hasPicture1);
            ASSERT_TRUE(frame.hasPicture2) << "the viewer reads channel 2 in two-channel mode";
            EXPECT_TRUE(AllBlack(*frame.picture2));
        }
        EXPECT_GT(frames.back().position, frames.front().position);
        const auto codes = player.codes();
        EXPECT_EQ(std::count(codes.begin(), codes.end(), kEventReadError), 0);
    }
}

TEST(OneChannel, ReportsNoChannel2PictureAndHidesItsWindow) {
    const SampleCard& card = SampleCard::get();
    const auto [front, rear] = card.pair(0);
    for (const auto& [channel1, channel2] : {std::pair{card.path(card.single(0)), std::string()}, std::pair{front, rear}}) {
        HostSettings settings;
        settings.channels = 1;
        PlayerHarness player(settings);
        player.start(channel1, channel2);
        const auto frames = player.waitForFrames(5, 0);
        ASSERT_GE(frames.size(), 5u);
        for (const FrameEvent& frame : frames) {
            EXPECT_TRUE(frame.hasPicture1);
            EXPECT_FALSE(frame.hasPicture2);
            EXPECT_EQ(frame.pictureNumbers[1], 0u);
        }
        platform::Window* channel2Window = platform::FromHandle(player.videoWindow(1));
        ASSERT_NE(channel2Window, nullptr);
        EXPECT_FALSE(channel2Window->isVisible());
    }
}

TEST(EncryptedView, PlaysScrambledRecordingsWithTheKeyOnly) {
    const SampleCard& card = SampleCard::get();
    const std::string scrambled = card.path(card.withDefect(Defect::Scrambled));
    HostSettings keyed;
    keyed.key = samplecard::kScrambleKey;
    {
        PlayerHarness player(keyed);
        player.start(scrambled, "");
        ASSERT_GE(player.waitForFrames(5, 0).size(), 5u);
        EXPECT_EQ(player.events()[player.waitForEvent(kEventEntryCount).value()].entryCount, card.entries());
    }
    keyed.key = samplecard::kScrambleKey ^ 0x01010101;
    PlayerHarness wrongKey(keyed);
    wrongKey.start(scrambled, "");
    EXPECT_TRUE(wrongKey.waitForEvent(kEventReadError));
}

} // namespace
} // namespace vexplayer::testing

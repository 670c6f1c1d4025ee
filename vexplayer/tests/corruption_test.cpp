// Random damage to generated recordings: flipped bytes in the index and the media, cuts at random
// points. Every copy is played briefly as channel 1 and as channel 2; the player must end
// cleanly every time (the sanitizers watch every read).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "player_harness.h"
#include "sample_card.h"
#include "test_folders.h"

namespace vexplayer::testing {
namespace {

using tripdesk::test::SampleCard;

using Bytes = std::string;

Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string Write(const std::string& name, const Bytes& bytes) {
    const std::string path = (tripdesk::test::ScratchFolder() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Flips bytes: some anywhere, most inside the index ("moov"), where damage matters most.
Bytes Flipped(Bytes bytes, std::mt19937& random) {
    const std::size_t moov = bytes.find("moov");
    const std::size_t indexStart = moov == Bytes::npos || moov < 4 ? 0 : moov - 4;
    std::uniform_int_distribution<std::size_t> anywhere(0, bytes.size() - 1);
    std::uniform_int_distribution<std::size_t> inIndex(indexStart, bytes.size() - 1);
    std::uniform_int_distribution<int> count(1, 40);
    std::uniform_int_distribution<int> value(0, 255);
    for (int i = count(random); i > 0; --i) bytes[anywhere(random)] = static_cast<char>(value(random));
    for (int i = count(random); i > 0; --i) bytes[inIndex(random)] ^= static_cast<char>(1 << (value(random) % 8));
    return bytes;
}

Bytes Cut(const Bytes& bytes, std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> at(0, bytes.size());
    return bytes.substr(0, at(random));
}

// Plays briefly, asks for a seek and the clip length, then quits; the exit must be orderly.
void PlayBriefly(const std::string& channel1, const std::string& channel2) {
    PlayerHarness player;
    player.start(channel1, channel2);
    ASSERT_TRUE(player.waitForEvent(kEventPlaybackStarted));
    WaitUntil([&] {
        const auto codes = player.codes();
        return std::count(codes.begin(), codes.end(), kEventFrame) >= 15 ||
               std::count(codes.begin(), codes.end(), kEventReadError) > 0 ||
               std::count(codes.begin(), codes.end(), kEventEndOfFile) > 0;
    }, 5s);
    player.command("seek 1.50 2");
    PumpFor(150ms);
    ASSERT_EQ(player.command("quit"), 0);
    ASSERT_TRUE(player.waitForReturn(60s)) << "the player hangs";
    const auto codes = player.codes();
    EXPECT_EQ(codes.back(), kEventExited);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), kEventExited), 1);
}

TEST(Corruption, DamagedCopiesOfRecordingsPlayOrFailCleanly) {
    const auto [front, rear] = SampleCard::get().pair(0);
    const Bytes frontBytes = ReadAll(front);
    const Bytes rearBytes = ReadAll(rear);
    std::mt19937 random(20110512);
    constexpr int kCopies = 10;
    for (int copy = 0; copy < kCopies; ++copy) {
        const bool cut = copy % 3 == 2;
        const std::string damagedFront = Write("front-" + std::to_string(copy) + ".mp4",
                                               cut ? Cut(frontBytes, random) : Flipped(frontBytes, random));
        const std::string damagedRear = Write("rear-" + std::to_string(copy) + ".mp4",
                                              cut ? Cut(rearBytes, random) : Flipped(rearBytes, random));
        SCOPED_TRACE(damagedFront);
        PlayBriefly(damagedFront, rear);
        PlayBriefly(front, damagedRear);
    }
}

TEST(Corruption, UserDataBoxWithHostileSizesIsSafe) {
    const auto [front, rear] = SampleCard::get().pair(0);
    Bytes bytes = ReadAll(front);
    const std::size_t udat = bytes.rfind("udat");
    ASSERT_NE(udat, Bytes::npos);
    std::mt19937 random(93015);
    std::uniform_int_distribution<int> value(0, 255);
    for (int copy = 0; copy < 4; ++copy) {
        Bytes damaged = bytes;
        // The box size and the three chunk headers' sizes.
        for (std::size_t at : {udat - 4, udat + 4})
            for (std::size_t i = 0; i < 4; ++i) damaged[at + i] = static_cast<char>(value(random));
        PlayBriefly(Write("udat-" + std::to_string(copy) + ".mp4", damaged), rear);
    }
}

} // namespace
} // namespace vexplayer::testing

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "box_bytes.h"
#include "recording_input.h"
#include "sample_card.h"
#include "test_folders.h"
#include "udat_reader.h"
#include "user_data_files.h"

namespace vexplayer {
namespace {

using tripdesk::test::AppendBigEndian;
using tripdesk::test::Box;
using tripdesk::test::Bytes;
using tripdesk::test::Concat;
using tripdesk::test::SampleCard;
using tripdesk::test::ScratchFolder;

Bytes FileType() { return Box("ftyp", Bytes(16, 'x')); }   // 24 bytes, as the recorder writes it

Bytes TimeChunk(std::initializer_list<std::uint32_t> times, const char* tag = "TIME") {
    Bytes payload;
    for (std::uint32_t t : times) AppendBigEndian(payload, t, 4);
    return Box(tag, payload);
}

Bytes Entries(const char* tag, int count, std::size_t entryBytes) { return Box(tag, Bytes(count * entryBytes, 0x20)); }

Bytes UserData(const Bytes& chunks) { return Box("udat", chunks); }

std::string Write(const std::string& name, const Bytes& bytes) {
    const std::string path = (ScratchFolder() / name).string();
    tripdesk::test::WriteBytes(path, bytes);
    return path;
}

std::optional<UserDataTable> Read(const std::string& path, std::optional<std::uint32_t> key = std::nullopt) {
    const auto input = RecordingInput::open(path, key);
    if (!input) return std::nullopt;
    return ReadUserData(*input);
}

TEST(UserDataBox, CountsTheEntriesOfGeneratedRecordings) {
    const SampleCard& card = SampleCard::get();
    const auto table = Read(card.pair(0).first);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->entryCount, card.entries());
    ASSERT_EQ(table->timesMs.size(), table->entryCount);
    EXPECT_EQ(table->timesMs.front(), 0u);
    EXPECT_EQ(table->timesMs[1], 100u);
    // Event recordings carry "RTCD" in place of "TIME".
    const auto event = Read(card.path(card.plan().recordings[3].fileName));
    ASSERT_TRUE(event);
    EXPECT_EQ(event->entryCount, table->entryCount);
}

TEST(UserDataBox, FindsTheBoxBehindOtherBoxes) {
    const Bytes chunks = Concat({TimeChunk({0, 100, 200}), Entries("GPSI", 3, 128), Entries("SENS", 3, 12)});
    const Bytes media = Box("mdat", Bytes(1000, 1));
    const auto table = Read(Write("order.mp4", Concat({FileType(), media, Box("moov", Bytes(50, 2)),
                                                        Box("free", Bytes(3)), UserData(chunks),
                                                        Box("free", Bytes(9, 0))})));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->entryCount, 3u);
    EXPECT_EQ(table->timesMs, (std::vector<std::uint32_t>{0, 100, 200}));
}

// The same files the viewer's reader is tested on: both must agree on which have user data.
TEST(UserDataBox, TrickyBoxSizesAsTheViewerReadsThem) {
    for (const tripdesk::test::TrickyRecording& file : tripdesk::test::TrickyRecordings()) {
        const auto table = Read(Write(file.name + ".mp4", file.bytes));
        EXPECT_EQ(table.has_value() && table->entryCount == 3, file.hasUserData) << file.name;
        if (!file.hasUserData && table) EXPECT_EQ(table->entryCount, 0u) << file.name;
    }
}

TEST(UserDataBox, CountsOnlyWholeEntriesOfEveryChunk) {
    const Bytes uneven = Concat({TimeChunk({0, 100, 200, 300}), Entries("GPSI", 2, 128), Entries("SENS", 3, 12)});
    EXPECT_EQ(Read(Write("uneven.mp4", Concat({FileType(), UserData(uneven)})))->entryCount, 2u);

    // Cut inside the sensor chunk: only the entries still in the file count.
    const Bytes whole = Concat({FileType(), UserData(Concat({TimeChunk({0, 100, 200}), Entries("GPSI", 3, 128),
                                                             Entries("SENS", 3, 12)}))});
    const Bytes cut(whole.begin(), whole.end() - 14);
    EXPECT_EQ(Read(Write("cut.mp4", cut))->entryCount, 1u);

    // Times that do not run forward are not used, the entries still count.
    const auto backwards = Read(Write("backwards.mp4", Concat({FileType(), UserData(Concat({
        TimeChunk({0, 500, 100}), Entries("GPSI", 3, 128), Entries("SENS", 3, 12)}))})));
    ASSERT_TRUE(backwards);
    EXPECT_EQ(backwards->entryCount, 3u);
    EXPECT_TRUE(backwards->timesMs.empty());
}

TEST(UserDataBox, RefusesBoxesTheViewerCannotParse) {
    const Bytes gps = Entries("GPSI", 3, 128);
    const Bytes sensors = Entries("SENS", 3, 12);
    const Bytes times = TimeChunk({0, 100, 200});
    for (const auto& [name, chunks] : std::initializer_list<std::pair<const char*, Bytes>>{
             {"wrong-first-tag", Concat({TimeChunk({0, 100, 200}, "TIMX"), gps, sensors})},
             {"gps-first", Concat({gps, times, sensors})},
             {"no-sensors", Concat({times, gps})},
             {"empty", Bytes{}},
         })
        EXPECT_FALSE(Read(Write(std::string(name) + ".mp4", Concat({FileType(), UserData(chunks)})))) << name;

    // A chunk claiming less than its own header.
    Bytes tiny = times;
    tiny[3] = 4;
    EXPECT_FALSE(Read(Write("tiny-chunk.mp4", Concat({FileType(), UserData(Concat({tiny, gps, sensors}))}))));
    EXPECT_FALSE(Read(Write("no-udat.mp4", Concat({FileType(), Box("mdat", Bytes(64, 0))}))));
}

TEST(UserDataBox, HostileBoxSizesEndTheWalk) {
    const Bytes udat = UserData(Concat({TimeChunk({0}), Entries("GPSI", 1, 128), Entries("SENS", 1, 12)}));
    Bytes shortBox = Box("free", {});
    shortBox[3] = 3;   // smaller than its header: the walk would never advance
    EXPECT_FALSE(Read(Write("short-box.mp4", Concat({FileType(), shortBox, udat}))));
    Bytes huge = Box("mdat", Bytes(16, 0));
    huge[0] = huge[1] = huge[2] = huge[3] = 0xFF;   // runs past the end of the file
    EXPECT_FALSE(Read(Write("huge-box.mp4", Concat({FileType(), huge, udat}))));

    // Many tiny boxes: the walk gives up rather than spin.
    Bytes many = FileType();
    for (int i = 0; i < 150000; ++i) {
        const Bytes box = Box("free", {});
        many.insert(many.end(), box.begin(), box.end());
    }
    many.insert(many.end(), udat.begin(), udat.end());
    EXPECT_FALSE(Read(Write("many-boxes.mp4", many)));
}

TEST(RecordingInput, ReadsAScrambledFirstBoxInTheClearWithTheKey) {
    constexpr std::uint32_t kKey = 0x5A3C96E1;
    Bytes file = Concat({FileType(), UserData(Concat({TimeChunk({0, 100}), Entries("GPSI", 2, 128),
                                                      Entries("SENS", 2, 12)}))});
    for (std::size_t i = 0; i < 24; ++i) file[i] ^= static_cast<std::uint8_t>(kKey >> (24 - 8 * (i % 4)));
    const std::string path = Write("scrambled.mp4", file);

    const auto plain = RecordingInput::open(path, std::nullopt);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->startsWithFileType());
    const auto keyed = RecordingInput::open(path, kKey);
    ASSERT_TRUE(keyed);
    EXPECT_TRUE(keyed->startsWithFileType());
    EXPECT_EQ(ReadUserData(*keyed)->entryCount, 2u);
    EXPECT_FALSE(RecordingInput::open(path, kKey ^ 1)->startsWithFileType());

    EXPECT_FALSE(RecordingInput::open(ScratchFolder().string(), std::nullopt)) << "a folder";
    EXPECT_FALSE(RecordingInput::open(Write("empty.mp4", {}), std::nullopt));
    EXPECT_FALSE(RecordingInput::open((ScratchFolder() / "missing.mp4").string(), std::nullopt));
}

} // namespace
} // namespace vexplayer

// The box walk over memory and over real files: the size rules, damage that ends the walk, and
// files that are not regular files.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <vector>

#include "box_bytes.h"
#include "mp4/big_endian.h"
#include "mp4/box_walker.h"
#include "test_folders.h"

namespace mp4 {
namespace {

using tripdesk::test::AppendBigEndian;
using tripdesk::test::Box;
using tripdesk::test::Bytes;
using tripdesk::test::Concat;
using Step = BoxWalker::Step;

struct Seen {
    std::vector<std::string> types;
    std::vector<std::uint64_t> sizes;
    Step end = Step::Box;
};

std::string TypeText(std::uint32_t type) {
    return {char(type >> 24), char(type >> 16), char(type >> 8), char(type)};
}

Seen Walk(const ByteSource& source, SizeRule rule, std::uint64_t begin = 0, std::uint64_t end = UINT64_MAX) {
    BoxWalker walker(source, rule, begin, end);
    Seen seen;
    for (int guard = 0; guard < 1000; ++guard) {
        seen.end = walker.Next();
        if (seen.end != Step::Box) return seen;
        seen.types.push_back(TypeText(walker.box().type));
        seen.sizes.push_back(walker.box().size);
    }
    ADD_FAILURE() << "the walk did not end";
    return seen;
}

Seen WalkMemory(const Bytes& bytes, SizeRule rule) { return Walk(MemorySource(bytes), rule); }

// The same bytes as a file on disk, walked through the file descriptor.
Seen WalkFile(const Bytes& bytes, SizeRule rule) {
    const auto path = tripdesk::test::ScratchFolder() / "walk.mp4";
    tripdesk::test::WriteBytes(path, bytes);
    const FileSource file(path.string());
    EXPECT_TRUE(file.IsOpen());
    return Walk(file, rule);
}

Bytes LargeBox(const char* type, std::uint64_t payloadBytes) {
    Bytes box;
    AppendBigEndian(box, 1, 4);
    box.insert(box.end(), type, type + 4);
    AppendBigEndian(box, 16 + payloadBytes, 8);
    box.resize(16 + payloadBytes, 0xAB);
    return box;
}

Bytes WithSizeField(Bytes box, std::uint32_t size) {
    StoreBigEndian32(box.data(), size);
    return box;
}

TEST(BoxWalker, WalksWholeRunsTheSameInMemoryAndInFiles) {
    const Bytes file = Concat({Box("ftyp", Bytes(16)), Box("mdat", Bytes(100)), Box("moov", Bytes(3))});
    for (const auto walk : {WalkMemory, WalkFile}) {
        const Seen seen = walk(file, SizeRule::Compact);
        EXPECT_EQ(seen.types, (std::vector<std::string>{"ftyp", "mdat", "moov"}));
        EXPECT_EQ(seen.sizes, (std::vector<std::uint64_t>{24, 108, 11}));
        EXPECT_EQ(seen.end, Step::End);
    }
    EXPECT_EQ(WalkMemory({}, SizeRule::Extended).end, Step::End);

    // The contents of one box: the walk stays inside it.
    const Bytes nested = Concat({Box("moov", Concat({Box("mvhd", Bytes(4)), Box("trak", Bytes(2))})),
                                 Box("free", Bytes(1))});
    const MemorySource source(nested);
    const Seen inside = Walk(source, SizeRule::Compact, 8, 8 + 12 + 10);
    EXPECT_EQ(inside.types, (std::vector<std::string>{"mvhd", "trak"}));
    EXPECT_EQ(inside.end, Step::End);
}

TEST(BoxWalker, SizeZeroAndOneFollowTheRuleOfTheWalk) {
    const Bytes toEnd = Concat({Box("ftyp", Bytes(16)), WithSizeField(Box("mdat", Bytes(50)), 0)});
    const Bytes large = Concat({Box("ftyp", Bytes(16)), LargeBox("mdat", 40), Box("udat", Bytes(8))});
    for (const auto walk : {WalkMemory, WalkFile}) {
        // Extended: size 0 reaches to the end of the run, size 1 reads the 64-bit size.
        Seen seen = walk(toEnd, SizeRule::Extended);
        EXPECT_EQ(seen.sizes, (std::vector<std::uint64_t>{24, 58}));
        EXPECT_EQ(seen.end, Step::End);
        seen = walk(large, SizeRule::Extended);
        EXPECT_EQ(seen.types, (std::vector<std::string>{"ftyp", "mdat", "udat"}));
        EXPECT_EQ(seen.sizes, (std::vector<std::uint64_t>{24, 56, 16}));
        EXPECT_EQ(seen.end, Step::End);

        // Compact: both are sizes below the header; the box is reported, the walk ends there.
        seen = walk(toEnd, SizeRule::Compact);
        EXPECT_EQ(seen.types, (std::vector<std::string>{"ftyp", "mdat"}));
        EXPECT_EQ(seen.end, Step::BadSize);
        seen = walk(large, SizeRule::Compact);
        EXPECT_EQ(seen.types, (std::vector<std::string>{"ftyp", "mdat"}));
        EXPECT_EQ(seen.end, Step::BadSize);
    }
}

TEST(BoxWalker, DamageEndsTheWalk) {
    const Bytes ftyp = Box("ftyp", Bytes(16));
    for (const SizeRule rule : {SizeRule::Compact, SizeRule::Extended}) {
        for (const std::uint32_t size : {2u, 7u}) {
            const Seen seen = WalkMemory(Concat({ftyp, WithSizeField(Box("mdat", Bytes(8)), size)}), rule);
            EXPECT_EQ(seen.types.size(), 2u);
            EXPECT_EQ(seen.end, Step::BadSize) << size;
        }
        // A box claiming more than the file holds: reported as such, and nothing follows it.
        const Bytes claimsMore = Concat({ftyp, WithSizeField(Box("mdat", Bytes(8)), 0xFFFFFFF0u)});
        const MemorySource source(claimsMore);
        BoxWalker walker(source, rule);
        ASSERT_EQ(walker.Next(), Step::Box);
        ASSERT_EQ(walker.Next(), Step::Box);
        EXPECT_TRUE(walker.box().reachesPastEnd);
        EXPECT_EQ(walker.box().endInside(walker.runEnd()), 24u + 16u);
        EXPECT_EQ(walker.Next(), Step::HeaderPastEnd);

        // A header cut by the end of the file.
        EXPECT_EQ(WalkMemory(Concat({ftyp, Bytes{0, 0, 0, 8, 'm'}}), rule).end, Step::HeaderPastEnd);
    }
    // A 64-bit size whose extra bytes are cut off, and one that is below the 16-byte header.
    Bytes cut = LargeBox("mdat", 0);
    cut.resize(12);
    EXPECT_EQ(WalkMemory(cut, SizeRule::Extended).end, Step::HeaderPastEnd);
    Bytes small = LargeBox("mdat", 0);
    small[15] = 12;
    EXPECT_EQ(WalkMemory(small, SizeRule::Extended).end, Step::BadSize);
    // A 64-bit size beyond any file.
    Bytes huge = LargeBox("mdat", 0);
    for (int i = 8; i < 16; ++i) huge[i] = 0xFF;
    const MemorySource source(huge);
    BoxWalker walker(source, SizeRule::Extended);
    ASSERT_EQ(walker.Next(), Step::Box);
    EXPECT_TRUE(walker.box().reachesPastEnd);
    EXPECT_EQ(walker.Next(), Step::HeaderPastEnd);
}

TEST(BoxWalker, OnlyRegularFilesOpenAndAFifoDoesNotBlock) {
    const auto folder = tripdesk::test::FreshFolder("kinds");
    EXPECT_EQ(FileSource((folder / "missing.mp4").string()).status(), FileSource::Status::CannotOpen);
    EXPECT_EQ(FileSource(folder.string()).status(), FileSource::Status::NotARegularFile);
    EXPECT_EQ(FileSource("/dev/null").status(), FileSource::Status::NotARegularFile);
    EXPECT_EQ(FileSource(std::string("a\0b", 3)).status(), FileSource::Status::CannotOpen);

    const auto fifo = folder / "fifo.mp4";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    const FileSource source(fifo.string());   // a blocking open would wait here for a writer
    EXPECT_EQ(source.status(), FileSource::Status::NotARegularFile);
    EXPECT_FALSE(source.IsOpen());
    std::uint8_t byte = 0;
    EXPECT_FALSE(source.ReadAt(0, std::span(&byte, 1)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(BigEndian, FieldsReadMostSignificantFirst) {
    const std::uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0xF5, 0xF6, 0xF7, 0xF8};
    EXPECT_EQ(ReadBigEndian32(bytes), 0x01020304u);
    EXPECT_EQ(ReadBigEndian64(bytes), 0x01020304F5F6F7F8ull);
    std::vector<std::uint8_t> out;
    AppendBigEndian32(out, 0xA1B2C3D4u);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0xA1, 0xB2, 0xC3, 0xD4}));
    StoreBigEndian32(out.data(), 24);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0, 0, 0, 24}));
    EXPECT_EQ(FourCC("udat"), 0x75646174u);
}

} // namespace
} // namespace mp4

#include "samplecard/mp4_head.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <filesystem>
#include <random>

#include "box_bytes.h"
#include "box_reader.h"
#include "run_program.h"
#include "samplecard/card_plan.h"
#include "samplecard/frame_painter.h"
#include "samplecard/gui_session.h"
#include "samplecard/mp4_encoder.h"

namespace samplecard {
namespace {

using testing::bigEndian32;
using testing::Bytes;
using testing::typesOf;
using testing::walkBoxes;

const FileType kRecorderType{"drc1", 1, "drc1", "avc1"};

using tripdesk::test::AppendBigEndian;
using tripdesk::test::Box;
using tripdesk::test::Concat;
using tripdesk::test::WriteBytes;

Bytes chunkTable(const char* type, const std::vector<std::uint64_t>& offsets) {
  Bytes payload{0, 0, 0, 0};
  AppendBigEndian(payload, std::uint32_t(offsets.size()), 4);
  for (const std::uint64_t offset : offsets) {
    if (std::string_view(type) == "co64") AppendBigEndian(payload, std::uint32_t(offset >> 32), 4);
    AppendBigEndian(payload, std::uint32_t(offset), 4);
  }
  return Box(type, payload);
}

Bytes track(const Bytes& table) {
  return Box("trak",
             Box("mdia", Box("minf", Box("stbl", Concat({Box("stsz", Bytes(12, 0)), table})))));
}

// What FFmpeg's muxer writes: ftyp(32) free(8) mdat moov, here with one stco and one co64 track
// and, under udta, a box that is named stco but is no sample table and must stay as it is.
struct MuxedFile {
  Bytes bytes;
  std::vector<std::uint64_t> offsets;  // chunk offsets, in file order
};

MuxedFile muxerLikeFile() {
  const Bytes ftyp = Box("ftyp", Bytes{'i', 's', 'o', 'm', 0,   0,   2,   0,   'i', 's', 'o', 'm',
                                       'i', 's', 'o', '2', 'a', 'v', 'c', '1', 'm', 'p', '4', '1'});
  const Bytes free = Box("free", {});
  Bytes payload(200);
  for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = std::uint8_t(i * 7 + 3);
  const Bytes mdat = Box("mdat", payload);
  const std::uint64_t media = ftyp.size() + free.size() + 8;
  const std::vector<std::uint64_t> offsets{media, media + 20, media + 150, media + 60, media + 199};
  const Bytes moov =
      Box("moov", Concat({Box("mvhd", Bytes(100, 0)),
                          track(chunkTable("stco", {offsets[0], offsets[1], offsets[2]})),
                          track(chunkTable("co64", {offsets[3], offsets[4]})),
                          Box("udta", chunkTable("stco", {7}))}));
  return {Concat({ftyp, free, mdat, moov}), offsets};
}

// Chunk offsets as the rewritten file holds them, found by their table's position.
std::vector<std::uint64_t> offsetsIn(const Bytes& file) {
  std::vector<std::uint64_t> offsets;
  for (std::size_t at = 0; at + 8 <= file.size(); ++at) {
    const std::string type = testing::fourCC(file, at + 4);
    if ((type != "stco" && type != "co64") || bigEndian32(file, at) < 16) continue;
    const std::uint32_t count = bigEndian32(file, at + 12);
    for (std::uint32_t i = 0; i < count; ++i) {
      if (type == "stco")
        offsets.push_back(bigEndian32(file, at + 16 + 4 * i));
      else
        offsets.push_back(std::uint64_t(bigEndian32(file, at + 16 + 8 * i)) << 32 |
                          bigEndian32(file, at + 20 + 8 * i));
    }
  }
  return offsets;
}

TEST(Mp4Head, ChunkOffsetsFollowTheMediaInBothOrders) {
  const MuxedFile muxed = muxerLikeFile();
  for (const BoxOrder order : {BoxOrder::MediaFirst, BoxOrder::IndexFirst}) {
    const auto file = rewriteHead(muxed.bytes, kRecorderType, order);
    ASSERT_TRUE(file);
    const auto boxes = walkBoxes(*file);
    ASSERT_TRUE(boxes);
    EXPECT_EQ(typesOf(*boxes),
              (order == BoxOrder::MediaFirst ? std::vector<std::string>{"ftyp", "mdat", "moov"}
                                             : std::vector<std::string>{"ftyp", "moov", "mdat"}));
    EXPECT_EQ((*boxes)[0].size, 24u);
    EXPECT_EQ(testing::fourCC(*file, 8), "drc1");
    EXPECT_EQ(bigEndian32(*file, 12), 1u);
    EXPECT_EQ(testing::fourCC(*file, 16), "drc1");
    EXPECT_EQ(testing::fourCC(*file, 20), "avc1");

    const std::vector<std::uint64_t> moved = offsetsIn(*file);
    ASSERT_EQ(moved.size(), muxed.offsets.size() + 1);
    for (std::size_t i = 0; i < muxed.offsets.size(); ++i)
      EXPECT_EQ((*file)[moved[i]], muxed.bytes[muxed.offsets[i]]) << "chunk " << i;
    EXPECT_EQ(moved.back(), 7u) << "a box outside the sample tables is not touched";
  }
}

TEST(Mp4Head, MalformedInputIsRefusedNotMisread) {
  const MuxedFile muxed = muxerLikeFile();
  Bytes cut(muxed.bytes.begin(), muxed.bytes.end() - 1);
  EXPECT_FALSE(rewriteHead(cut, kRecorderType, BoxOrder::MediaFirst));

  const auto boxes = *walkBoxes(muxed.bytes);
  const Bytes noIndex(muxed.bytes.begin(), muxed.bytes.begin() + std::ptrdiff_t(boxes[3].offset));
  EXPECT_FALSE(rewriteHead(noIndex, kRecorderType, BoxOrder::MediaFirst));
  EXPECT_FALSE(
      rewriteHead(Concat({muxed.bytes, Box("mdat", {})}), kRecorderType, BoxOrder::MediaFirst));

  Bytes outside = muxed.bytes;  // the first chunk offset points into moov instead of mdat
  const std::uint64_t intoIndex = boxes[3].offset + 8;
  for (std::size_t at = 0; at + 20 <= outside.size(); ++at)
    if (testing::fourCC(outside, at + 4) == "stco" &&
        bigEndian32(outside, at + 16) == muxed.offsets[0]) {
      for (int i = 0; i < 4; ++i)
        outside[at + 16 + std::size_t(i)] = std::uint8_t(intoIndex >> (24 - 8 * i));
      break;
    }
  ASSERT_EQ(offsetsIn(outside)[0], intoIndex);
  EXPECT_FALSE(rewriteHead(outside, kRecorderType, BoxOrder::MediaFirst));

  // moov holding trak holding trak ... a hundred thousand deep.
  constexpr std::uint32_t kLevels = 100000;
  Bytes deep(muxed.bytes.begin(), muxed.bytes.begin() + std::ptrdiff_t(boxes[3].offset));
  for (std::uint32_t level = 0; level <= kLevels; ++level) {
    AppendBigEndian(deep, 8 * (kLevels + 1 - level), 4);
    deep.insert(deep.end(), {'t', 'r', 'a', 'k'});
  }
  std::copy_n("moov", 4, deep.begin() + std::ptrdiff_t(boxes[3].offset) + 4);
  EXPECT_FALSE(rewriteHead(deep, kRecorderType, BoxOrder::MediaFirst)) << "nesting is bounded";

  // Random damage never reads out of bounds; whatever is accepted is still a walkable file.
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    Bytes damaged = muxed.bytes;
    for (int flips = 1 + int(random() % 4); flips > 0; --flips)
      damaged[random() % damaged.size()] = std::uint8_t(random());
    if (round % 5 == 0) damaged.resize(random() % damaged.size());
    if (const auto file = rewriteHead(damaged, kRecorderType, BoxOrder::MediaFirst)) {
      EXPECT_TRUE(walkBoxes(*file));
    }
    (void)topLevelBoxes(damaged);
    (void)cutBeforeIndex(damaged);
  }
}

TEST(Mp4Head, ScrambledFirstBoxHidesTheTypeAndKeepsTheSizeUnderTheKey) {
  const auto file = rewriteHead(muxerLikeFile().bytes, kRecorderType, BoxOrder::MediaFirst);
  ASSERT_TRUE(file);
  Bytes scrambled = *file;
  scrambleFirstBox(scrambled, kScrambleKey);
  EXPECT_NE(testing::fourCC(scrambled, 4), "ftyp");
  EXPECT_EQ(bigEndian32(scrambled, 0) ^ kScrambleKey, 24u);
  EXPECT_TRUE(std::equal(scrambled.begin() + 24, scrambled.end(), file->begin() + 24));
  scrambleFirstBox(scrambled, kScrambleKey);
  EXPECT_EQ(scrambled, *file);
}

// Hashes of every packet as ffmpeg reads them from the file.
QByteArray packetHashes(const std::filesystem::path& path) {
  const auto result =
      testing::runProgram("ffmpeg", {"-v", "error", "-i", QString::fromStdString(path.string()),
                                     "-map", "0", "-c", "copy", "-f", "framemd5", "-"});
  EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
  return result.out;
}

TEST(Mp4Head, RealRecordingReadsTheSamePacketsAfterTheRewrite) {
  ensureGuiApplication();
  constexpr int kFrames = 45;
  EncoderSettings settings;
  settings.width = 160;
  settings.height = 120;
  settings.withAudio = true;
  settings.creationTime = "2011-05-12T09:30:15.000000Z";
  Mp4Encoder encoder(settings);
  FramePainter painter(160, 120, Camera::Front, "drf2_20110512_093015.mp4", 30);
  RoutePoint point;
  point.speedKnots = 30;
  for (int frame = 0; frame < kFrames; ++frame)
    encoder.addFrame(painter.paint(frame, {2011, 5, 12, 9, 30, 15, 0}, point));
  const Bytes muxed = encoder.finish();
  ASSERT_EQ(typesOf(*walkBoxes(muxed)), (std::vector<std::string>{"ftyp", "free", "mdat", "moov"}))
      << "the muxer's layout this rewrite is made for";

  const std::filesystem::path folder = TRIPDESK_TEST_WORK_DIR;
  std::filesystem::create_directories(folder);
  WriteBytes(folder / "muxed.mp4", muxed);
  const QByteArray reference = packetHashes(folder / "muxed.mp4");
  ASSERT_GT(reference.count('\n'), kFrames);

  for (const BoxOrder order : {BoxOrder::MediaFirst, BoxOrder::IndexFirst}) {
    const auto file = rewriteHead(
        muxed, FileType{"drc1", 1, "drc1", encoder.videoCodecName() == "h264" ? "avc1" : "mp4v"},
        order);
    ASSERT_TRUE(file);
    const auto path =
        folder / (order == BoxOrder::MediaFirst ? "media_first.mp4" : "index_first.mp4");
    WriteBytes(path, *file);
    EXPECT_EQ(packetHashes(path), reference);
    const auto probe =
        testing::runProgram("ffprobe", {"-v", "error", "-count_frames", "-select_streams", "v:0",
                                        "-show_entries", "stream=nb_read_frames,duration", "-of",
                                        "default=nw=1", QString::fromStdString(path.string())});
    EXPECT_TRUE(probe.err.isEmpty()) << probe.err.toStdString();
    EXPECT_TRUE(probe.out.contains(QStringLiteral("nb_read_frames=%1").arg(kFrames).toUtf8()))
        << probe.out.toStdString();
    EXPECT_TRUE(probe.out.contains("duration=1.500000")) << probe.out.toStdString();
  }
}

}  // namespace
}  // namespace samplecard

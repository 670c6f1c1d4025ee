// The entropy-coded data read back by the tests' own decoder: blocks written out here, noise in
// the coefficients, and a noise picture through the whole encoder.
#include <gtest/gtest.h>

#include "capture/jpeg_bit_writer.h"
#include "capture/jpeg_encoder.h"
#include "capture/jpeg_scan.h"
#include "jpeg_judge.h"
#include "scan_decoder.h"

namespace capture {
namespace {

using testing::QuantisedBlock;
using Tables = testing::ScanDecoder::Tables;
constexpr Tables kComponents[] = {{0x00, 0x10}, {0x01, 0x11}, {0x01, 0x11}};

std::vector<std::uint8_t> EncodedFile(const testing::Picture24& picture) {
    JpegEncoder encoder;
    EXPECT_TRUE(encoder.SetImage(picture.Header(), picture.bytes.data(), picture.bytes.size()));
    return encoder.Encode().value_or(std::vector<std::uint8_t>{});
}

// The encoder's codes, taken from a file it wrote, so that the decoder reads the tables the file
// declares.
struct Codes {
    std::vector<std::uint8_t> file = EncodedFile(testing::BlankPicture(8, 8));
    std::optional<testing::FileParts> parts = testing::SplitFile(file);
    std::optional<jpeg::HuffmanCodeSet> set = jpeg::HuffmanCodeSet::FromDht(parts->dhtPayload);
};

std::vector<std::uint8_t> CodeBlocks(const std::vector<QuantisedBlock>& blocks, const Codes& codes) {
    std::vector<std::uint8_t> out;
    jpeg::BitWriter writer(out);
    std::array<std::int32_t, 3> predictors{};
    for (std::size_t n = 0; n < blocks.size(); ++n) {
        std::array<std::int16_t, 64> block;
        for (std::size_t k = 0; k < 64; ++k) block[k] = static_cast<std::int16_t>(blocks[n][k]);
        const Tables& tables = kComponents[n % 3];
        jpeg::CodeBlock(writer, block, predictors[n % 3], *codes.set->Find(tables.dc), *codes.set->Find(tables.ac));
    }
    writer.Flush();
    return out;
}

TEST(JpegScan, MagnitudeCategoriesAreBitCounts) {
    EXPECT_EQ(jpeg::MagnitudeCategory(0), 0u);
    EXPECT_EQ(jpeg::MagnitudeCategory(1), 1u);
    EXPECT_EQ(jpeg::MagnitudeCategory(-1), 1u);
    EXPECT_EQ(jpeg::MagnitudeCategory(2), 2u);
    EXPECT_EQ(jpeg::MagnitudeCategory(-3), 2u);
    EXPECT_EQ(jpeg::MagnitudeCategory(4), 3u);
    EXPECT_EQ(jpeg::MagnitudeCategory(-1023), 10u);
    EXPECT_EQ(jpeg::MagnitudeCategory(1024), 11u);
}

TEST(JpegScan, WrittenBlocksDecodeToThemselves) {
    const Codes codes;
    ASSERT_TRUE(codes.parts && codes.set);

    QuantisedBlock runs{};   // runs of 20 and 40 zeros, and the last position set
    runs[0] = 5;
    runs[1] = -3;
    runs[22] = 7;
    runs[63] = -1;
    QuantisedBlock longRun{};   // exactly 16 zeros before a value, then an end of block
    longRun[0] = -2;
    longRun[17] = 100;
    QuantisedBlock empty{};
    empty[0] = -63;
    QuantisedBlock dense{};   // every position set, large and small, both signs
    for (int k = 0; k < 64; ++k) dense[k] = (k % 2 ? -1 : 1) * ((k * 37) % 1000 + 1);
    const std::vector<QuantisedBlock> blocks = {runs, longRun, empty, dense, empty, runs};

    const std::vector<std::uint8_t> data = CodeBlocks(blocks, codes);
    const testing::ScanDecoder decoder(codes.parts->dhtPayload);
    const auto decoded = decoder.Decode(data, kComponents, blocks.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->blocks, blocks);
    EXPECT_EQ(decoded->bytesUsed, data.size());
    // Each "runs" block: one for its 20 zeros, two for its 40; "longRun": one for its 16.
    EXPECT_EQ(decoded->zeroRunCodes, 7);
    EXPECT_EQ(decoded->blocksEndingAt63, 3);   // both "runs" and "dense"
}

TEST(JpegScan, NoiseInTheCoefficientsDecodesToItself) {
    const Codes codes;
    ASSERT_TRUE(codes.parts && codes.set);
    std::vector<QuantisedBlock> blocks(3 * 400);
    std::uint32_t state = 7;
    auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    for (auto& block : blocks)
        for (int k = 0; k < 64; ++k) {
            const std::uint32_t r = next();
            // Mostly zeros, so that long runs occur; values up to the 10-bit category.
            if ((r >> 28) < 12) continue;
            const int magnitude = 1 + static_cast<int>((r >> 8) % (k == 0 ? 1000 : 1023));
            block[k] = (r & 1) ? -magnitude : magnitude;
        }
    const std::vector<std::uint8_t> data = CodeBlocks(blocks, codes);
    const auto decoded = testing::ScanDecoder(codes.parts->dhtPayload).Decode(data, kComponents, blocks.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->blocks, blocks);
    EXPECT_EQ(decoded->bytesUsed, data.size());
    EXPECT_GT(decoded->zeroRunCodes, 0);
    EXPECT_GT(decoded->blocksEndingAt63, 0);
    EXPECT_GT(decoded->stuffedBytes, 0);
}

// The noise picture crosses every path of the coder: stuffed bytes, long zero runs and blocks
// that end at position 63; its data holds exactly one block per component and position.
TEST(JpegScan, NoisePictureFillsItsScanExactly) {
    const auto file = EncodedFile(testing::NoisePicture(64, 48, 11));
    const auto parts = testing::SplitFile(file);
    ASSERT_TRUE(parts);
    const auto decoded = testing::ScanDecoder(parts->dhtPayload).Decode(parts->scanData, kComponents, 3 * 8 * 6);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->bytesUsed, parts->scanData.size());
    EXPECT_GT(decoded->stuffedBytes, 0);
    EXPECT_GT(decoded->blocksEndingAt63, 0);
    for (std::size_t i = 0; i + 1 < parts->scanData.size(); ++i) {
        if (parts->scanData[i] == 0xff) {
            EXPECT_EQ(parts->scanData[i + 1], 0x00) << "at " << i;
        }
    }
}

} // namespace
} // namespace capture

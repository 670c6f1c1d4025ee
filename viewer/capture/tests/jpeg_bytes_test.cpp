// The encoder's bytes against numbers written out here: the fixed head, the frame header, the
// all-black picture bit by bit and the gradient by size and MD5 (an independent reference).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QCryptographicHash>

#include <cctype>
#include <string>

#include "capture/jpeg_encoder.h"
#include "jpeg_judge.h"
#include "test_folders.h"

namespace capture {
namespace {

using testing::Picture24;

std::vector<std::uint8_t> Hex(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    std::string digits;
    for (const char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::vector<std::uint8_t> Encoded(const Picture24& picture) {
    JpegEncoder encoder;
    EXPECT_TRUE(encoder.SetImage(picture.Header(), picture.bytes.data(), picture.bytes.size()));
    return encoder.Encode().value_or(std::vector<std::uint8_t>{});
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t count) {
    if (from + count > bytes.size()) return {};
    return {bytes.begin() + from, bytes.begin() + from + count};
}

const std::string kHead =
    "FFD8"
    "FFDB 0043 00"
    "10 0B 0C 0E 0C 0A 10 0E 0D 0E 12 11 10 13 18 28 1A 18 16 16 18 31 24 25 1D 28 3A 33 3D 3C 39 33"
    "38 37 40 48 5C 4E 40 44 57 45 42 39 50 6D 51 57 5F 62 67 68 67 3E 4D 71 79 70 64 78 5C 65 67 63"
    "FFDB 0043 01"
    "11 12 12 18 15 18 2F 1A 1A 2F 63 42 38 42 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63"
    "63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63 63"
    "FFC4 01A2"
    "00 00 01 05 01 01 01 01 01 01 00 00 00 00 00 00 00 00 01 02 03 04 05 06 07 08 09 0A 0B"
    "10 00 02 01 03 03 02 04 03 05 05 04 04 00 00 01 7D"
    "01 02 03 00 04 11 05 12 21 31 41 06 13 51 61 07 22 71 14 32 81 91 A1 08 23 42 B1 C1 15 52 D1 F0"
    "24 33 62 72 82 09 0A 16 17 18 19 1A 25 26 27 28 29 2A 34 35 36 37 38 39 3A 43 44 45 46 47 48 49"
    "4A 53 54 55 56 57 58 59 5A 63 64 65 66 67 68 69 6A 73 74 75 76 77 78 79 7A 83 84 85 86 87 88 89"
    "8A 92 93 94 95 96 97 98 99 9A A2 A3 A4 A5 A6 A7 A8 A9 AA B2 B3 B4 B5 B6 B7 B8 B9 BA C2 C3 C4 C5"
    "C6 C7 C8 C9 CA D2 D3 D4 D5 D6 D7 D8 D9 DA E1 E2 E3 E4 E5 E6 E7 E8 E9 EA F1 F2 F3 F4 F5 F6 F7 F8"
    "F9 FA"
    "01 00 03 01 01 01 01 01 01 01 01 01 00 00 00 00 00 00 01 02 03 04 05 06 07 08 09 0A 0B"
    "11 00 02 01 02 04 04 03 04 07 05 04 04 00 01 02 77"
    "00 01 02 03 11 04 05 21 31 06 12 41 51 07 61 71 13 22 32 81 08 14 42 91 A1 B1 C1 09 23 33 52 F0"
    "15 62 72 D1 0A 16 24 34 E1 25 F1 17 18 19 1A 26 27 28 29 2A 35 36 37 38 39 3A 43 44 45 46 47 48"
    "49 4A 53 54 55 56 57 58 59 5A 63 64 65 66 67 68 69 6A 73 74 75 76 77 78 79 7A 82 83 84 85 86 87"
    "88 89 8A 92 93 94 95 96 97 98 99 9A A2 A3 A4 A5 A6 A7 A8 A9 AA B2 B3 B4 B5 B6 B7 B8 B9 BA C2 C3"
    "C4 C5 C6 C7 C8 C9 CA D2 D3 D4 D5 D6 D7 D8 D9 DA E2 E3 E4 E5 E6 E7 E8 E9 EA F2 F3 F4 F5 F6 F7 F8"
    "F9 FA";

const std::string kScanHeader = "FFDA 000C 03 01 00 02 11 03 11 00 3F 00";

TEST(JpegBytes, HeadFrameAndScanHeadersAreFixedBytes) {
    const std::vector<std::uint8_t> head = Hex(kHead);
    ASSERT_EQ(head.size(), 560u);

    const auto vga = Encoded(testing::BlankPicture(640, 480));
    EXPECT_EQ(Slice(vga, 0, 560), head);
    EXPECT_EQ(Slice(vga, 560, 19), Hex("FFC0 0011 08 01E0 0280 03 01 11 00 02 11 01 03 11 01"));
    EXPECT_EQ(Slice(vga, 579, 14), Hex(kScanHeader));

    // The frame header declares the picture's own size, not the padded 648 × 488.
    const auto odd = Encoded(testing::GradientPicture());
    EXPECT_EQ(Slice(odd, 0, 560), head);
    EXPECT_EQ(Slice(odd, 560, 19), Hex("FFC0 0011 08 01E1 0282 03 01 11 00 02 11 01 03 11 01"));
    EXPECT_EQ(Slice(odd, 579, 14), Hex(kScanHeader));
    ASSERT_GE(odd.size(), 2u);
    EXPECT_EQ(Slice(odd, odd.size() - 2, 2), Hex("FFD9"));
}

// Every Y block is DC -63 (-1023 / 16); only the first block has a non-zero difference:
// DC size 6 "1110" + "000000" (-63 as -64's low bits), EOB "1010", Cb and Cr "00" + "00" each.
// Later blocks: "00" "1010" then "00 00" "00 00": 14 bits per block position.
TEST(JpegBytes, AllBlackPictureIsCodedBitForBit) {
    const auto black = Encoded(testing::BlankPicture(640, 480));
    EXPECT_EQ(black.size(), 8996u);
    EXPECT_EQ(Slice(black, 593, 10), Hex("E0 28 00 A0 02 80 0A 00 28 00"));
    // 4800 block positions: 22 + 4799 × 14 bits = 67208 bits = 8401 bytes, then EOI.
    EXPECT_EQ(black.size(), 593u + 8401u + 2u);
    EXPECT_EQ(Slice(black, black.size() - 2, 2), Hex("FFD9"));
}

TEST(JpegBytes, GradientMatchesTheReferenceFile) {
    const auto gradient = Encoded(testing::GradientPicture());
    EXPECT_EQ(gradient.size(), 15578u);
    const QByteArray md5 = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(gradient.data()), static_cast<qsizetype>(gradient.size())),
        QCryptographicHash::Md5);
    EXPECT_EQ(md5.toHex().toStdString(), "d676a1aea5e1d365fc91c5998f6c338d");
}

TEST(JpegBytes, EncodingLeavesThePictureAsItWas) {
    const Picture24 gradient = testing::GradientPicture();
    JpegEncoder encoder;
    ASSERT_TRUE(encoder.SetImage(gradient.Header(), gradient.bytes.data(), gradient.bytes.size()));
    const auto first = encoder.Encode();
    const auto second = encoder.Encode();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first, *second);

    // The caller's pixels may change after SetImage: the encoder keeps its own copy.
    Picture24 changed = gradient;
    ASSERT_TRUE(encoder.SetImage(changed.Header(), changed.bytes.data(), changed.bytes.size()));
    std::fill(changed.bytes.begin(), changed.bytes.end(), 0xff);
    EXPECT_EQ(encoder.Encode(), first);
}

TEST(JpegBytes, SetImageRefusesWhatItCannotCode) {
    const Picture24 picture = testing::BlankPicture(16, 8);
    JpegEncoder encoder;
    EXPECT_FALSE(encoder.Encode()) << "no picture yet";

    auto refused = [&](auto change, std::size_t bytes) {
        BitmapHeader header = picture.Header();
        change(header);
        return !encoder.SetImage(header, picture.bytes.data(), bytes);
    };
    const std::size_t all = picture.bytes.size();
    EXPECT_TRUE(refused([](BitmapHeader& h) { h.bitCount = 32; }, all));
    EXPECT_TRUE(refused([](BitmapHeader& h) { h.bitCount = 8; }, all));
    EXPECT_TRUE(refused([](BitmapHeader& h) { h.compression = 1; }, all));
    EXPECT_TRUE(refused([](BitmapHeader& h) { h.width = 0; }, all));
    EXPECT_TRUE(refused([](BitmapHeader& h) { h.height = 0; }, all));
    EXPECT_TRUE(refused([](BitmapHeader& h) { h.height = -8; }, all));
    EXPECT_TRUE(refused([](BitmapHeader& h) { h.width = 65536; }, all));
    EXPECT_TRUE(refused([](BitmapHeader& h) { h.height = 65536; }, all));
    // Stride 48 × 8 rows = 384 bytes.
    EXPECT_TRUE(refused([](BitmapHeader&) {}, 383));
    EXPECT_FALSE(encoder.SetImage(picture.Header(), nullptr, all));
    EXPECT_FALSE(encoder.Encode()) << "a refused picture leaves nothing to encode";

    EXPECT_FALSE(refused([](BitmapHeader&) {}, 384));
    // A width of 17 has a stride of 52 bytes (51 padded to 4).
    BitmapHeader narrow = picture.Header();
    narrow.width = 17;
    const std::vector<std::uint8_t> rows(52 * 8, 0);
    EXPECT_FALSE(encoder.SetImage(narrow, rows.data(), rows.size() - 1));
    EXPECT_TRUE(encoder.SetImage(narrow, rows.data(), rows.size()));
}

} // namespace
} // namespace capture

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "player/tarn_udat.h"
#include "test_support.h"

namespace player {
namespace {

using test::Bytes;
using test::BuildUdat;

struct Parsed {
    TarnUDAT parser;
    int result;
    explicit Parsed(const Bytes& box, std::uint32_t entryCount = TarnUDAT::kUnknownEntryCount) {
        parser.SetBox(box.data(), box.size());
        parser.SetEntryCount(entryCount);
        result = parser.Parse();
    }
};

std::string GpsText(const std::uint8_t* entry) {
    return std::string(reinterpret_cast<const char*>(entry), strnlen(reinterpret_cast<const char*>(entry), 128));
}

float Axis(const std::uint8_t* entry, int axis) {
    const std::uint8_t* p = entry + 4 * axis;
    const std::uint32_t bits = p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(TarnUDAT, ParseCodesAndFailedFlag) {
    TarnUDAT none;
    EXPECT_EQ(none.Parse(), TarnUDAT::kNoBox);
    EXPECT_TRUE(none.Failed());

    struct Case {
        test::UdatLayout layout;
        int expected;
    };
    const Case cases[] = {
        {{4, "TIME", "GPSI", "SENS"}, TarnUDAT::kParsed},
        {{4, "RTCD", "GPSI", "SENS"}, TarnUDAT::kParsed},
        {{4, "TIMX", "GPSI", "SENS"}, TarnUDAT::kBadTimeChunk},
        {{4, "TIME", "GPSX", "SENS"}, TarnUDAT::kBadGpsChunk},
        {{4, "RTCD", "GPSI", "SENZ"}, TarnUDAT::kBadSensorChunk},
        {{0, "TIME", "GPSI", "SENS"}, TarnUDAT::kParsed},
    };
    for (const Case& c : cases) {
        const Parsed parsed(BuildUdat(c.layout));
        EXPECT_EQ(parsed.result, c.expected) << c.layout.timeTag << c.layout.gpsTag << c.layout.sensorTag;
        EXPECT_EQ(parsed.parser.Failed(), c.expected != 0);
    }
    const Bytes box = BuildUdat({});
    const Parsed good(box);
    EXPECT_EQ(good.parser.BoxSize(), box.size());
    EXPECT_EQ(good.parser.GpsChunk().firstEntry, test::GpsChunkOffset(4) + 8);
    EXPECT_EQ(good.parser.GSensorChunk().size, 8u + 12 * 4);
}

TEST(TarnUDAT, LookupsGiveEntryNAndStopAtTheEntryCount) {
    const Bytes box = BuildUdat({5});
    const Parsed parsed(box, 5);
    ASSERT_EQ(parsed.result, 0);
    for (int n = 0; n < 5; ++n) {
        ASSERT_NE(parsed.parser.GpsEntry(n), nullptr);
        EXPECT_EQ(GpsText(parsed.parser.GpsEntry(n)), test::GpsSentence(n));
        ASSERT_NE(parsed.parser.GSensorEntry(n), nullptr);
        EXPECT_EQ(Axis(parsed.parser.GSensorEntry(n), 1), test::GSensorSample(n)[1]);
    }
    EXPECT_EQ(parsed.parser.GpsEntry(5), nullptr);
    EXPECT_EQ(parsed.parser.GSensorEntry(5), nullptr);

    // With an unknown count the box alone bounds the lookups.
    const Parsed unknown(box);
    EXPECT_NE(unknown.parser.GSensorEntry(4), nullptr);
    EXPECT_EQ(unknown.parser.GSensorEntry(5), nullptr);
    EXPECT_EQ(unknown.parser.GpsEntry(0xFFFFFFFEu), nullptr);

    // A failed parse has no entries.
    Parsed failed(BuildUdat({5, "XXXX"}), 5);
    EXPECT_EQ(failed.parser.GpsEntry(0), nullptr);
}

// The box size field bounds the GPS lookups, the copy bounds the G-sensor lookups.
TEST(TarnUDAT, GpsLookupsAreBoundedByTheBoxSizeFieldAndTheCopy) {
    Bytes box = BuildUdat({4});
    box.resize(box.size() + 2000, 0x55);   // other bytes after the box
    // GPS entry 4 lies inside the copy but past the box size field; G-sensor entry 100 lies
    // past the box too, but inside the copy.
    const Parsed trailing(box);
    ASSERT_EQ(trailing.result, 0);
    EXPECT_NE(trailing.parser.GpsEntry(3), nullptr);
    ASSERT_LE(trailing.parser.GpsChunk().firstEntry + 5 * 128, box.size());
    EXPECT_EQ(trailing.parser.GpsEntry(4), nullptr);
    EXPECT_NE(trailing.parser.GSensorEntry(100), nullptr);
    EXPECT_EQ(trailing.parser.GSensorEntry(1000), nullptr);

    // A size field larger than the copy: the copy bounds the GPS lookups too.
    Bytes claimsMore = BuildUdat({4});
    test::StoreBigEndian32(claimsMore, 0, 0xFFFFFFF0u);
    const Parsed big(claimsMore);
    ASSERT_EQ(big.result, 0);
    EXPECT_NE(big.parser.GpsEntry(3), nullptr);
    EXPECT_EQ(big.parser.GpsEntry(5), nullptr);
}

TEST(TarnUDAT, EveryTruncationOfAValidBoxParsesToItsCodeAndStaysInside) {
    const Bytes box = BuildUdat({3});
    const std::size_t gps = test::GpsChunkOffset(3);
    const std::size_t sensor = test::SensorChunkOffset(3);
    for (std::size_t length = 0; length <= box.size(); ++length) {
        const Bytes copy(box.begin(), box.begin() + static_cast<std::ptrdiff_t>(length));
        const Parsed parsed(copy);
        int expected = TarnUDAT::kParsed;
        if (length < 8) expected = TarnUDAT::kNoBox;
        else if (length < 16) expected = TarnUDAT::kBadTimeChunk;
        else if (length < gps + 8) expected = TarnUDAT::kBadGpsChunk;
        else if (length < sensor + 8) expected = TarnUDAT::kBadSensorChunk;
        ASSERT_EQ(parsed.result, expected) << length;
        for (std::uint32_t n = 0; n < 5; ++n) {
            if (const std::uint8_t* entry = parsed.parser.GpsEntry(n)) {
                EXPECT_LE(entry + 128, copy.data() + copy.size());
            }
            if (const std::uint8_t* entry = parsed.parser.GSensorEntry(n)) {
                EXPECT_LE(entry + 12, copy.data() + copy.size());
            }
        }
    }
}

// Chunk sizes that would wrap 32-bit offsets back onto earlier chunks, or that are smaller than
// their own header.
TEST(TarnUDAT, HostileChunkSizesNeverLeaveTheCopy) {
    // The first of each list is the valid size of a two-entry box.
    const std::uint32_t timeSizes[] = {16, 0, 1, 7, 8, 0x7FFFFFFF, 0xFFFFFFF8u, 0xFFFFFFFFu, 0xFFFFFF00u};
    const std::uint32_t gpsSizes[] = {264, 0, 1, 7, 8, 0x7FFFFFFF, 0xFFFFFFF8u, 0xFFFFFFFFu, 0xFFFFFF00u};
    for (const std::uint32_t timeSize : timeSizes) {
        for (const std::uint32_t gpsSize : gpsSizes) {
            Bytes box = BuildUdat({2});
            test::StoreBigEndian32(box, 8, timeSize);
            test::StoreBigEndian32(box, test::GpsChunkOffset(2), gpsSize);
            const Parsed parsed(box);
            EXPECT_EQ(parsed.result == TarnUDAT::kParsed, timeSize == 16 && gpsSize == 264);
            for (std::uint32_t n : {0u, 1u, 2u, 1000u, 0x7FFFFFFFu, 0xFFFFFFFEu}) {
                if (const std::uint8_t* e = parsed.parser.GpsEntry(n)) {
                    EXPECT_LE(e + 128, box.data() + box.size());
                }
                if (const std::uint8_t* e = parsed.parser.GSensorEntry(n)) {
                    EXPECT_LE(e + 12, box.data() + box.size());
                }
            }
        }
    }
    // 8 + 0xFFFFFFF8 wraps to 0 in 32 bits: the "GPS" chunk would be read at the box header.
    Bytes wrap = BuildUdat({2});
    test::StoreBigEndian32(wrap, 8, 0xFFFFFFF8u);
    EXPECT_EQ(Parsed(wrap).result, TarnUDAT::kBadGpsChunk);
}

TEST(TarnUDAT, RandomBytesNeverLeaveTheCopy) {
    std::mt19937 random(20240601);
    const char* tags[] = {"TIME", "RTCD", "GPSI", "SENS"};
    for (int round = 0; round < 3000; ++round) {
        Bytes box(random() % 700);
        for (auto& byte : box) byte = static_cast<std::uint8_t>(random());
        // Plant tags now and then so that the walk gets further.
        for (int plant = 0; plant < 3 && box.size() >= 16; ++plant) {
            const std::size_t at = random() % (box.size() - 3);
            std::memcpy(box.data() + at, tags[random() % 4], 4);
        }
        if (box.size() >= 16 && round % 2 == 0) std::memcpy(box.data() + 12, "TIME", 4);
        const Parsed parsed(box);
        ASSERT_GE(parsed.result, 0);
        ASSERT_LE(parsed.result, 4);
        for (int probe = 0; probe < 8; ++probe) {
            const std::uint32_t n = probe < 4 ? static_cast<std::uint32_t>(probe) : static_cast<std::uint32_t>(random());
            if (const std::uint8_t* e = parsed.parser.GpsEntry(n)) {
                ASSERT_LE(e + 128, box.data() + box.size());
            }
            if (const std::uint8_t* e = parsed.parser.GSensorEntry(n)) {
                ASSERT_LE(e + 12, box.data() + box.size());
            }
        }
    }
}

} // namespace
} // namespace player

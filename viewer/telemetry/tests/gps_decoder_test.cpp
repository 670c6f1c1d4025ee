#include "telemetry/gps_decoder.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/text_rules.h"
#include "telemetry/position_text.h"

namespace telemetry {
namespace {

constexpr const char* kExample =
    "$GPRMC,093015.000,A,3733.1234,N,12659.5678,E,022.4,084.4,120511,,,A*6C";

std::string rmc(const std::string& lat, const std::string& ns, const std::string& lon,
                const std::string& ew, const std::string& speed, const std::string& course) {
    return "$GPRMC,093015.000,A," + lat + "," + ns + "," + lon + "," + ew + "," + speed + "," +
           course + ",120511,,,A*6C";
}

// The adapter's copy: exactly 128 bytes, the sentence NUL-terminated when it fits.
std::vector<char> copyOf(const std::string& sentence) {
    std::vector<char> copy(GpsDecoder::kCopySize, '\0');
    std::copy_n(sentence.begin(), std::min(sentence.size(), copy.size()), copy.begin());
    return copy;
}

GpsReadout decode(GpsDecoder& decoder, const std::string& sentence, int unit = 0,
                  bool hasUserData = true) {
    return decoder.decode(copyOf(sentence), hasUserData, unit);
}

TEST(GpsDecoderTest, RecommendedMinimumSentence) {
    GpsDecoder decoder;
    const GpsReadout readout = decode(decoder, kExample, 0);
    EXPECT_TRUE(readout.positionDecoded);
    EXPECT_TRUE(readout.updatesPanelReadout);
    EXPECT_EQ(readout.latitudeText, "37.552057");
    EXPECT_EQ(readout.longitudeText, "126.992797");
    EXPECT_EQ(readout.speed, (SpeedDigits{0, 4, 1}));
    EXPECT_EQ(readout.course, 84);
    EXPECT_EQ(readout.needle, (NeedleOffsets{22, 0}));
    EXPECT_TRUE(readout.needleShown);
    EXPECT_TRUE(decoder.sentenceValid());
}

TEST(GpsDecoderTest, SpeedUnits) {
    const std::vector<std::pair<int, SpeedDigits>> cases{
        {0, {0, 4, 1}}, {1, {0, 2, 5}}, {2, {0, 2, 2}}, {3, {0, 0, 0}}, {-1, {0, 0, 0}}};
    for (const auto& [unit, digits] : cases) {
        GpsDecoder decoder;
        EXPECT_EQ(decode(decoder, kExample, unit).speed, digits) << "unit " << unit;
    }
    GpsDecoder decoder;
    // Whole knots convert without falling below the exact value: 250 kn = 463.000 km/h.
    EXPECT_EQ(decode(decoder, rmc("", "", "", "", "250", ""), 0).speed, (SpeedDigits{4, 6, 3}));
    EXPECT_EQ(decode(decoder, rmc("", "", "", "", "600", ""), 0).speed, (SpeedDigits{9, 9, 9}));
    EXPECT_EQ(decode(decoder, rmc("", "", "", "", "1e300", ""), 2).speed, (SpeedDigits{9, 9, 9}));
    for (const char* knots : {"-45", "inf", "nan"}) {
        GpsDecoder fresh;
        EXPECT_EQ(decode(fresh, rmc("", "", "", "", knots, ""), 2).speed, (SpeedDigits{0, 0, 0}));
    }
}

TEST(GpsDecoderTest, OutOfRangeAndEmptyPositionsReadZero) {
    GpsDecoder decoder;
    GpsReadout readout = decode(decoder, rmc("9130.0000", "N", "36100.0000", "E", "1", "5"));
    EXPECT_EQ(readout.latitudeText, "0.000000");
    EXPECT_EQ(readout.longitudeText, "0.000000");
    readout = decode(decoder, "$GPRMC,,,,,,,,,,,,");
    EXPECT_EQ(readout.latitudeText, "0.000000");
    EXPECT_EQ(readout.longitudeText, "0.000000");
    EXPECT_EQ(readout.course, 0);
    EXPECT_EQ(readout.needle, (NeedleOffsets{0, 22}));
    // A sentence that stops early leaves the missing fields empty.
    readout = decode(decoder, "$GPRMC,093015.000,A,3733.1234");
    EXPECT_EQ(readout.latitudeText, "37.552057");
    EXPECT_EQ(readout.longitudeText, "0.000000");
    EXPECT_EQ(decode(decoder, "$GPRMC").latitudeText, "0.000000");
}

TEST(GpsDecoderTest, SouthernAndWesternPositionsAreNegative) {
    GpsDecoder decoder;
    GpsReadout readout = decode(decoder, rmc("3352.1292", "S", "15112.7260", "W", "0", "0"));
    EXPECT_EQ(readout.latitudeText, "-33.868820");
    EXPECT_EQ(readout.longitudeText, "-151.212100");
    EXPECT_EQ(PadPositionText(readout.latitudeText), "-033.868820");
    readout = decode(decoder, rmc("0507.40736", "S", "00000.0000", "W", "0", "0"));
    EXPECT_EQ(PadPositionText(readout.latitudeText), "-005.123456");
    EXPECT_EQ(readout.longitudeText, "0.000000");  // no negative zero
    readout = decode(decoder, rmc("9130.0000", "S", "12659.5678", "E", "0", "0"));
    EXPECT_EQ(readout.latitudeText, "0.000000");
    EXPECT_EQ(readout.longitudeText, "126.992797");
}

TEST(GpsDecoderTest, LastShownSpeedStandsInForAZeroReading) {
    GpsDecoder decoder;
    EXPECT_EQ(decode(decoder, rmc("", "", "", "", "45", ""), 2).speed, (SpeedDigits{0, 4, 5}));
    EXPECT_EQ(decode(decoder, rmc("", "", "", "", "0", ""), 2).speed, (SpeedDigits{0, 4, 5}));
    EXPECT_EQ(decoder.lastShownSpeed(), 45);
    EXPECT_EQ(decode(decoder, rmc("", "", "", "", "", ""), 2).speed, (SpeedDigits{0, 4, 5}));
    EXPECT_EQ(decode(decoder, rmc("", "", "", "", "123", ""), 2).speed, (SpeedDigits{1, 2, 3}));
    EXPECT_EQ(decode(decoder, rmc("", "", "", "", "0", ""), 2).speed, (SpeedDigits{1, 2, 3}));
    EXPECT_EQ(decode(decoder, rmc("", "", "", "", "8", ""), 2).speed, (SpeedDigits{0, 0, 8}));
    EXPECT_EQ(decode(decoder, rmc("", "", "", "", "0", ""), 2).speed, (SpeedDigits{0, 0, 0}));
    EXPECT_EQ(decoder.lastShownSpeed(), 8);
}

TEST(GpsDecoderTest, FixDataSentenceKeepsTheLastPosition) {
    GpsDecoder decoder;
    decode(decoder, kExample, 2);
    const GpsReadout readout =
        decode(decoder, "$GPGGA,093016.000,3734.0000,N,12700.0000,E,1,08,0.9,45.0,M,,,,", 2);
    EXPECT_FALSE(readout.positionDecoded);
    EXPECT_EQ(readout.latitudeText, "37.552057");
    EXPECT_EQ(readout.longitudeText, "126.992797");
    EXPECT_EQ(readout.speed, (SpeedDigits{0, 2, 2}));  // its speed is 0: the last one stands
    EXPECT_EQ(readout.course, 84);
    EXPECT_TRUE(decoder.sentenceValid());
}

TEST(GpsDecoderTest, OtherSentencesClearThePosition) {
    GpsDecoder decoder;
    decode(decoder, kExample, 2);
    const GpsReadout readout = decode(decoder, "$GPGSV,3,1,11,03,03,111,00,04,15,270,00", 2);
    EXPECT_FALSE(decoder.sentenceValid());
    EXPECT_EQ(readout.latitudeText, "");
    EXPECT_EQ(readout.longitudeText, "");
    EXPECT_EQ(readout.speed, (SpeedDigits{0, 0, 0}));
    EXPECT_EQ(readout.course, 0);
    EXPECT_EQ(decoder.lastShownSpeed(), 0);
    EXPECT_EQ(PadPositionText(readout.latitudeText), "          ");
    EXPECT_EQ(decode(decoder, "", 2).latitudeText, "");
    EXPECT_EQ(decode(decoder, "$GPRM", 2).latitudeText, "");
}

TEST(GpsDecoderTest, WithoutUserDataOrCopy) {
    GpsDecoder decoder;
    decode(decoder, kExample, 2);
    GpsReadout readout = decode(decoder, rmc("", "", "", "", "77", "180"), 2, false);
    EXPECT_FALSE(readout.updatesPanelReadout);
    EXPECT_EQ(readout.speed, (SpeedDigits{}));
    EXPECT_EQ(decoder.lastShownSpeed(), 22);
    EXPECT_EQ(readout.needle, (NeedleOffsets{0, -22}));  // the heading still follows
    // No copy at all: nothing is decoded, the slots and the flag stay.
    readout = decoder.decode({}, true, 2);
    EXPECT_FALSE(readout.positionDecoded);
    EXPECT_EQ(readout.latitudeText, "0.000000");
    EXPECT_EQ(readout.course, 180);
    EXPECT_EQ(readout.speed, (SpeedDigits{0, 2, 2}));
}

TEST(GpsDecoderTest, FieldsAreCutToTheirSlots) {
    GpsDecoder decoder;
    // Speed "0022.4" keeps "0022." (22 knots, not 22.4); a two-letter hemisphere keeps its
    // last letter; a latitude beyond ten characters loses its tail.
    GpsReadout readout =
        decode(decoder, rmc("3733.123499999", "NS", "12659.5678", "E", "0022.4", "0084.4"), 0);
    EXPECT_EQ(readout.latitudeText, "-37.552058");
    EXPECT_EQ(readout.speed, (SpeedDigits{0, 4, 0}));
    EXPECT_EQ(readout.course, 84);  // "0084.4" fits six characters
    readout = decode(decoder, rmc("3733.1234", "N", "12659.5678", "E", "1", "1234567"));
    EXPECT_EQ(readout.course, 123456);
    EXPECT_FALSE(readout.needleShown);
}

TEST(GpsDecoderTest, ReadsAtMost128BytesWithoutNul) {
    // An overlong time field, and the course "090" in the last three of the 128 bytes.
    const std::string tail = ",A,3733.1234,N,12659.5678,E,022.4,090";
    const std::string sentence =
        "$GPRMC," + std::string(GpsDecoder::kCopySize - 7 - tail.size(), '1') + tail;
    ASSERT_EQ(sentence.size(), GpsDecoder::kCopySize);
    std::vector<char> bytes(sentence.begin(), sentence.end());
    GpsDecoder decoder;
    GpsReadout readout = decoder.decode(bytes, true, 2);
    EXPECT_EQ(readout.course, 90);
    EXPECT_EQ(readout.latitudeText, "37.552057");
    // Bytes beyond the copy's size are not read.
    bytes.push_back('9');
    EXPECT_EQ(decoder.decode(bytes, true, 2).course, 90);
}

TEST(GpsDecoderTest, GarbageNeverEscapesIntoTheReadout) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    GpsDecoder decoder;
    for (int round = 0; round < 3000; ++round) {
        std::vector<char> copy(GpsDecoder::kCopySize);
        for (char& c : copy) {
            const int b = byte(random);
            c = b < 60 ? ',' : b < 120 ? static_cast<char>('0' + b % 10) : static_cast<char>(b);
        }
        const std::string head = round % 3 == 0 ? "$GPRMC" : round % 3 == 1 ? "$GPGGA" : "$GP";
        std::copy(head.begin(), head.end(), copy.begin());
        const GpsReadout readout = decoder.decode(copy, true, round % 3);
        for (int digit : {readout.speed.hundreds, readout.speed.tens, readout.speed.ones}) {
            ASSERT_GE(digit, 0);
            ASSERT_LE(digit, 9);
        }
        for (const std::string& text : {readout.latitudeText, readout.longitudeText}) {
            ASSERT_LE(text.size(), 11u);
            ASSERT_EQ(text.find_first_not_of("-0123456789."), std::string::npos) << text;
        }
        ASSERT_LE(std::abs(platform::ParseLeadingDouble(readout.latitudeText)), 90.0);
        ASSERT_LE(std::abs(platform::ParseLeadingDouble(readout.longitudeText)), 360.0);
        ASSERT_LE(std::abs(readout.needle.x), 22);
        ASSERT_LE(std::abs(readout.needle.y), 22);
    }
}

} // namespace
} // namespace telemetry

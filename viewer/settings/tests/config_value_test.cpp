#include "settings/config_value.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "comma_locale.h"

namespace settings {
namespace {

ViewerConfig exampleConfig() {
    ViewerConfig config;
    config.gsensorLevel = 4;
    return config;
}

TEST(ConfigValueTest, ComposesTheKnownValueExactly) {
    EXPECT_EQ(ComposeConfigValue(exampleConfig(), 74, 100, ConfigTail{}),
              "4?0?0?74?0????100??0?0??0?0???");
}

TEST(ConfigValueTest, ComposesFoldersAndFlags) {
    ConfigTail tail;
    tail.captureFolder = "/home/u/cap/";
    tail.captureRear = true;
    tail.clipFolder = "/home/u/clip/";
    tail.clipFront = true;
    tail.saveSettingsFolder = "/media/card/";
    EXPECT_EQ(ComposeConfigValue(exampleConfig(), 74, 100, tail),
              "4?0?0?74?0????100?/home/u/cap/?0?1?/home/u/clip/?1?0?/media/card/??");
}

TEST(ConfigValueTest, ParsesTheKnownValue) {
    const ParsedConfig parsed = ParseConfigValue("4?0?0?74?0????100??0?0??0?0???");
    EXPECT_EQ(parsed.config, [] {
        ViewerConfig c = exampleConfig();
        c.volumeBarPosition = 100;
        return c;
    }());
    EXPECT_EQ(parsed.volumePercent, 74);
    EXPECT_EQ(parsed.volumeBarPosition, 100);
}

TEST(ConfigValueTest, FieldsOneToNineRoundTrip) {
    ViewerConfig config;
    config.gsensorLevel = 8;
    config.spare = -17;
    config.speedUnit = 2;
    config.passwordFlag = 1;
    config.passwordDigits = "0427";
    config.timeTextOnSave = "2011-05-12 09:30:15";
    config.speakerVolume = 6;  // not stored
    config.micVolume = 5;      // not stored
    config.timeTextOnClose = "2011년 5월";
    config.volumeBarPosition = 81;
    ConfigTail tail;
    tail.captureFolder = "/tmp/a/";
    const ParsedConfig parsed = ParseConfigValue(ComposeConfigValue(config, 60, 81, tail));
    ViewerConfig expected = config;
    expected.speakerVolume = 0;
    expected.micVolume = 0;
    EXPECT_EQ(parsed.config, expected);
    EXPECT_EQ(parsed.volumePercent, 60);
    EXPECT_EQ(parsed.volumeBarPosition, 81);
}

TEST(ConfigValueTest, NegativeNumbersRoundTrip) {
    ViewerConfig config;
    config.gsensorLevel = INT_MIN;
    config.speedUnit = -1;
    const std::string value = ComposeConfigValue(config, -5, -1, ConfigTail{});
    EXPECT_EQ(value.substr(0, 21), "-2147483648?0?-1?-5?0");
    const ParsedConfig parsed = ParseConfigValue(value);
    EXPECT_EQ(parsed.config.gsensorLevel, INT_MIN);
    EXPECT_EQ(parsed.config.speedUnit, -1);
    EXPECT_EQ(parsed.volumePercent, -5);
    EXPECT_EQ(parsed.volumeBarPosition, -1);
}

TEST(ConfigValueTest, NothingUsableReadsAsAllZero) {
    EXPECT_EQ(ParseConfigValue("").config, ViewerConfig{});
    // Longer than 511 characters: not read at all, even though it starts with valid fields.
    std::string tooLong = "4?0?1?74?0?1234???100?";
    tooLong.resize(600, 'x');
    const ParsedConfig parsed = ParseConfigValue(tooLong);
    EXPECT_EQ(parsed.config, ViewerConfig{});
    EXPECT_EQ(parsed.volumePercent, 0);
    EXPECT_EQ(parsed.volumeBarPosition, 0);
    tooLong.resize(512);
    EXPECT_EQ(ParseConfigValue(tooLong).config.speedUnit, 0);
    tooLong.resize(511);
    EXPECT_EQ(ParseConfigValue(tooLong).config.speedUnit, 1);
}

TEST(ConfigValueTest, MissingSeparatorsRestartAtTheFirstCharacter) {
    const ParsedConfig seven = ParseConfigValue("7");
    EXPECT_EQ(seven.config, ViewerConfig{});
    EXPECT_EQ(seven.volumePercent, 0);
    // Field 2 has no separator after it, so field 3 is read from the start again.
    const ParsedConfig repeated = ParseConfigValue("4?5");
    EXPECT_EQ(repeated.config.gsensorLevel, 4);
    EXPECT_EQ(repeated.config.spare, 0);
    EXPECT_EQ(repeated.config.speedUnit, 4);
    EXPECT_EQ(repeated.volumePercent, 0);
    EXPECT_EQ(repeated.config.passwordFlag, 4);
    // The first field is searched from the second character on.
    EXPECT_EQ(ParseConfigValue("?3?2?").config.gsensorLevel, 0);
    EXPECT_EQ(ParseConfigValue("?3?2?").config.spare, 2);
}

TEST(ConfigValueTest, PasswordDigits) {
    EXPECT_EQ(ParseConfigValue("4?0?0?74?1?0427???100?").config.passwordDigits, "0427");
    EXPECT_EQ(ParseConfigValue("4?0?0?74?1?04271???100?").config.passwordDigits, "0427");
    EXPECT_EQ(ParseConfigValue("4?0?0?74?1????100?").config.passwordDigits, "");
    // Field 5 lacks its separator, so field 6 is read from the start again.
    EXPECT_EQ(ParseConfigValue("4?0?0?74?1").config.passwordDigits, "4");
}

TEST(ConfigValueTest, TimeTextsAreCutBetweenCharacters) {
    // 29 bytes; Korean syllables take three, and "분" spans bytes 25 to 27.
    const std::string time = "2011.05.12 오후 09시30분.";
    ViewerConfig config;
    config.timeTextOnSave = time;
    config.timeTextOnClose = time;
    const std::string value = ComposeConfigValue(config, 0, 0, ConfigTail{});
    const ParsedConfig parsed = ParseConfigValue(value);
    EXPECT_EQ(parsed.config.timeTextOnSave, "2011.05.12 오후 09시30");     // 25 of 26 bytes
    EXPECT_EQ(parsed.config.timeTextOnClose, "2011.05.12 오후 09시30");    // 25 of 27 bytes
    // A stored value written by someone else is cut the same way when read.
    const ParsedConfig read = ParseConfigValue("0?0?0?0?0??" + time + "?" + time + "?9?");
    EXPECT_EQ(read.config.timeTextOnSave, "2011.05.12 오후 09시30");
    EXPECT_EQ(read.config.timeTextOnClose, "2011.05.12 오후 09시30");
    EXPECT_EQ(read.volumeBarPosition, 9);
    const std::string exact = "가나다라마바사아";  // 24 bytes: fits both
    config.timeTextOnSave = exact;
    EXPECT_EQ(ParseConfigValue(ComposeConfigValue(config, 0, 0, {})).config.timeTextOnSave, exact);
}

TEST(ConfigValueTest, SeparatorsInsideTextsCannotShiftTheFields) {
    ViewerConfig config;
    config.passwordDigits = "1?2";
    config.timeTextOnSave = std::string("09:30\0junk", 10);
    const ParsedConfig parsed = ParseConfigValue(ComposeConfigValue(config, 33, 44, {}));
    EXPECT_EQ(parsed.config.passwordDigits, "1");
    EXPECT_EQ(parsed.config.timeTextOnSave, "09:30");
    EXPECT_EQ(parsed.volumeBarPosition, 44);
}

TEST(ConfigValueTest, StoredTextEndsAtTheFirstNul) {
    const ParsedConfig parsed = ParseConfigValue(std::string("4?0?2?74\0?0????100?", 19));
    EXPECT_EQ(parsed.config.speedUnit, 2);
    EXPECT_EQ(parsed.volumePercent, 0);      // "74" lacks its separator before the NUL
    EXPECT_EQ(parsed.volumeBarPosition, 4);  // read from the start again, not "100"
}

TEST(ConfigValueTest, LongFoldersAreDroppedSoThatTheRestReadsBack) {
    ViewerConfig config;
    config.gsensorLevel = 6;
    config.speedUnit = 1;
    config.passwordDigits = "1234";
    config.timeTextOnSave = std::string(40, 's');
    config.timeTextOnClose = std::string(40, 'c');
    ConfigTail tail;
    tail.captureFolder = "/" + std::string(200, 'a') + "/";
    tail.clipFolder = "/" + std::string(200, 'b') + "/";
    tail.saveSettingsFolder = "/" + std::string(200, 'c') + "/";
    tail.captureFront = true;
    const std::string value = ComposeConfigValue(config, 74, 100, tail);
    EXPECT_LE(value.size(), kConfigValueMaxLength);
    EXPECT_EQ(value.find("aaa"), std::string::npos);
    EXPECT_EQ(value.substr(value.size() - 5), "100??");
    const ParsedConfig parsed = ParseConfigValue(value);
    EXPECT_EQ(parsed.config.gsensorLevel, 6);
    EXPECT_EQ(parsed.config.speedUnit, 1);
    EXPECT_EQ(parsed.config.passwordDigits, "1234");
    EXPECT_EQ(parsed.config.timeTextOnSave, std::string(26, 's'));
    EXPECT_EQ(parsed.config.timeTextOnClose, std::string(27, 'c'));
    EXPECT_EQ(parsed.volumePercent, 74);
    EXPECT_EQ(parsed.volumeBarPosition, 100);
    // One folder that still fits keeps every field.
    tail.clipFolder.clear();
    tail.saveSettingsFolder.clear();
    EXPECT_NE(ComposeConfigValue(config, 74, 100, tail).find(tail.captureFolder + "?1?0??"),
              std::string::npos);
}

TEST(ConfigValueTest, EveryValueEndsInTwoSeparators) {
    ConfigTail tail;
    tail.saveSettingsFolder = "/x/";
    for (const ConfigTail& t : {ConfigTail{}, tail}) {
        const std::string value = ComposeConfigValue(ViewerConfig{}, 0, 0, t);
        EXPECT_EQ(value.substr(value.size() - 2), "??");
    }
}

TEST(ConfigValueTest, IntegersReadLikeAtoi) {
    auto level = [](const std::string& field) {
        return ParseConfigValue(field + "?").config.gsensorLevel;
    };
    EXPECT_EQ(level("12abc"), 12);
    EXPECT_EQ(level(" \t-7"), -7);
    EXPECT_EQ(level("+5"), 5);
    EXPECT_EQ(level("- 7"), 0);
    EXPECT_EQ(level("abc"), 0);
    EXPECT_EQ(level("0x1F"), 0);
    EXPECT_EQ(level("99999999999999999999"), INT_MAX);
    EXPECT_EQ(level("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(level("2147483647"), INT_MAX);
    EXPECT_EQ(level("-2147483648"), INT_MIN);
}

TEST(ConfigValueTest, ApplyingResetsTheRecorderLevelsOnly) {
    ViewerConfig stored;
    stored.gsensorLevel = 7;
    stored.speedUnit = 2;
    stored.speakerVolume = 1;
    const ViewerConfig applied = WithAppliedLevels(stored);
    EXPECT_EQ(applied.gsensorLevel, 4);
    EXPECT_EQ(applied.speakerVolume, 3);
    EXPECT_EQ(applied.micVolume, 3);
    EXPECT_EQ(applied.speedUnit, 2);
}

// In a comma-decimal locale that groups thousands with '.', numbers are still plain digits.
TEST(ConfigValueTest, RoundTripsInACommaDecimalLocale) {
    ASSERT_TRUE(tripdesk::test::UseCommaDecimalLocale()) << "run scripts/bootstrap to generate the locale";
    ViewerConfig config = exampleConfig();
    config.spare = -1234567;
    config.speedUnit = 1000;
    const std::string value = ComposeConfigValue(config, 74, 2500, ConfigTail{});
    EXPECT_EQ(value, "4?-1234567?1000?74?0????2500??0?0??0?0???");
    const ParsedConfig parsed = ParseConfigValue(value);
    EXPECT_EQ(parsed.config.spare, -1234567);
    EXPECT_EQ(parsed.config.speedUnit, 1000);
    EXPECT_EQ(parsed.volumePercent, 74);
    EXPECT_EQ(parsed.volumeBarPosition, 2500);
}

} // namespace
} // namespace settings

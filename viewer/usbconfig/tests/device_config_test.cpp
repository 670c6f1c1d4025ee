#include "usbconfig/device_config.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace usbconfig {
namespace {

// The little-endian word at byte offset in bytes.
std::uint32_t WordAt(const DeviceConfig::Bytes& bytes, std::size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

struct FieldAt {
    std::int32_t DeviceConfig::*field;
    std::size_t offset;
};

// Offsets as the recorder documents them, written out by hand.
const std::vector<FieldAt> kFields = {
    {&DeviceConfig::channels, 0},          {&DeviceConfig::recordMode, 4},
    {&DeviceConfig::videoType, 8},         {&DeviceConfig::resolution, 12},
    {&DeviceConfig::quality, 16},          {&DeviceConfig::audio, 20},
    {&DeviceConfig::siTime, 24},           {&DeviceConfig::siAccelerometer, 28},
    {&DeviceConfig::siGroundSpeed, 32},    {&DeviceConfig::udTime, 36},
    {&DeviceConfig::udAccelerometer, 40},  {&DeviceConfig::udGroundSpeed, 44},
    {&DeviceConfig::udJpeg, 48},           {&DeviceConfig::udJpegFrameRate, 52},
    {&DeviceConfig::recordMinutes, 56},    {&DeviceConfig::motionMode, 60},
    {&DeviceConfig::motionSensitivity, 64}, {&DeviceConfig::motionRecordSeconds, 68},
    {&DeviceConfig::eventOverwrite, 72},   {&DeviceConfig::waterMark, 76},
    {&DeviceConfig::sorting, 80},          {&DeviceConfig::viewerSort, 88},
    {&DeviceConfig::lcdOut, 92},           {&DeviceConfig::tvOut, 96},
    {&DeviceConfig::uiSkin, 100},          {&DeviceConfig::skin, 104},
    {&DeviceConfig::year, 120},            {&DeviceConfig::month, 124},
    {&DeviceConfig::day, 128},             {&DeviceConfig::hour, 132},
    {&DeviceConfig::minute, 136},          {&DeviceConfig::second, 140},
    {&DeviceConfig::inVolume, 144},        {&DeviceConfig::outVolume, 148},
    {&DeviceConfig::triggerMode, 152},     {&DeviceConfig::accelScale, 156},
    {&DeviceConfig::uiRotate, 164},        {&DeviceConfig::verticalFlip, 168},
    {&DeviceConfig::horizontalMirror, 172}, {&DeviceConfig::brightness, 176},
    {&DeviceConfig::sharpness, 180},       {&DeviceConfig::exposureBias, 184},
    {&DeviceConfig::wdrBias, 188},         {&DeviceConfig::frameRateMode, 192},
    {&DeviceConfig::sdFormat, 292},        {&DeviceConfig::buzzer, 296},
    {&DeviceConfig::lcdBrightness, 300},   {&DeviceConfig::batteryVolt, 304},
    {&DeviceConfig::irLedMode, 308},       {&DeviceConfig::gpsMode, 312},
};

TEST(DeviceConfigBytes, EachFieldLandsAtItsOffsetLittleEndian) {
    for (const FieldAt& at : kFields) {
        DeviceConfig config;
        config.*at.field = 0x0A0B0C0D;
        const DeviceConfig::Bytes bytes = config.toBytes();
        EXPECT_EQ(bytes[at.offset], 0x0D) << at.offset;
        EXPECT_EQ(bytes[at.offset + 1], 0x0C) << at.offset;
        EXPECT_EQ(bytes[at.offset + 2], 0x0B) << at.offset;
        EXPECT_EQ(bytes[at.offset + 3], 0x0A) << at.offset;
        int otherNonZero = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            otherNonZero += (i < at.offset || i >= at.offset + 4) && bytes[i] != 0;
        EXPECT_EQ(otherNonZero, 0) << at.offset;
    }
}

TEST(DeviceConfigBytes, NegativeValuesAreTwosComplement) {
    DeviceConfig config;
    config.brightness = -5;
    config.wdrBias = -1;
    const DeviceConfig::Bytes bytes = config.toBytes();
    EXPECT_EQ(WordAt(bytes, 176), 0xFFFFFFFBu);
    EXPECT_EQ(WordAt(bytes, 188), 0xFFFFFFFFu);
    EXPECT_EQ(DeviceConfig::fromBytes(bytes).brightness, -5);
}

TEST(DeviceConfigBytes, TriggerLevelIsAnIeeeSingleAt160) {
    DeviceConfig config;
    config.triggerLevel = 0.7f;
    const DeviceConfig::Bytes bytes = config.toBytes();
    EXPECT_EQ(bytes[160], 0x33);
    EXPECT_EQ(bytes[161], 0x33);
    EXPECT_EQ(bytes[162], 0x33);
    EXPECT_EQ(bytes[163], 0x3F);
    config.triggerLevel = 2.0f;
    EXPECT_EQ(WordAt(config.toBytes(), 160), 0x40000000u);
}

TEST(DeviceConfigBytes, ReservedWordsSitInTheirGaps) {
    DeviceConfig config;
    config.reserved84[0] = 84;
    config.reserved108 = {108, 112, 116};
    for (int i = 0; i < 24; ++i) config.reserved196[i] = 196 + 4 * i;
    config.reserved316 = {316, 320, 324, 328, 332};
    const DeviceConfig::Bytes bytes = config.toBytes();
    std::vector<std::size_t> offsets = {84, 108, 112, 116, 316, 320, 324, 328, 332};
    for (std::size_t offset = 196; offset <= 288; offset += 4) offsets.push_back(offset);
    for (std::size_t offset : offsets) EXPECT_EQ(WordAt(bytes, offset), offset);
}

TEST(DeviceConfigBytes, FromBytesReadsHandMadeBytes) {
    DeviceConfig::Bytes bytes{};
    bytes[0] = 0x02;                                  // channels 2
    bytes[12] = 0x03;                                 // resolution 3
    bytes[68] = 0x78;                                 // motionRecordSeconds 120
    bytes[120] = 0xDB; bytes[121] = 0x07;             // year 2011
    bytes[160] = 0x00; bytes[161] = 0x00; bytes[162] = 0xC0; bytes[163] = 0x3F;  // 1.5f
    bytes[176] = 0xFD; bytes[177] = 0xFF; bytes[178] = 0xFF; bytes[179] = 0xFF;  // brightness -3
    bytes[312] = 0x01;                                // gpsMode 1
    bytes[332] = 0x44; bytes[333] = 0x33; bytes[334] = 0x22; bytes[335] = 0x11;
    const DeviceConfig config = DeviceConfig::fromBytes(bytes);
    EXPECT_EQ(config.channels, 2);
    EXPECT_EQ(config.resolution, 3);
    EXPECT_EQ(config.motionRecordSeconds, 120);
    EXPECT_EQ(config.year, 2011);
    EXPECT_EQ(config.triggerLevel, 1.5f);
    EXPECT_EQ(config.brightness, -3);
    EXPECT_EQ(config.gpsMode, 1);
    EXPECT_EQ(config.reserved316[4], 0x11223344);
    EXPECT_EQ(config.recordMode, 0);
    EXPECT_EQ(config.sdFormat, 0);
}

TEST(DeviceConfigBytes, EveryDistinctByteRoundTrips) {
    DeviceConfig::Bytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    bytes[163] = 0x3F;   // keep the float word an ordinary number so it compares equal
    EXPECT_EQ(DeviceConfig::fromBytes(bytes).toBytes(), bytes);
    const DeviceConfig config = DeviceConfig::fromBytes(bytes);
    EXPECT_EQ(DeviceConfig::fromBytes(config.toBytes()), config);
}

TEST(DeviceConfigBytes, StartsAllZero) {
    EXPECT_EQ(DeviceConfig{}.toBytes(), DeviceConfig::Bytes{});
}

} // namespace
} // namespace usbconfig

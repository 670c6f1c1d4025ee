#pragma once
// The recorder's configuration record: 84 little-endian 32-bit words, the same bytes in the
// registry and on USB, without header or checksum. All words are signed integers except
// triggerLevel, an IEEE single. One record per run, zero until loaded.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace usbconfig {

struct DeviceConfig {
    static constexpr std::size_t kSize = 336;
    using Bytes = std::array<std::uint8_t, kSize>;

    // Recorder
    std::int32_t channels = 0;
    std::int32_t recordMode = 0;
    std::int32_t videoType = 0;
    std::int32_t resolution = 0;
    std::int32_t quality = 0;
    std::int32_t audio = 0;
    // RecSet
    std::int32_t siTime = 0;
    std::int32_t siAccelerometer = 0;
    std::int32_t siGroundSpeed = 0;
    std::int32_t udTime = 0;
    std::int32_t udAccelerometer = 0;
    std::int32_t udGroundSpeed = 0;
    std::int32_t udJpeg = 0;
    std::int32_t udJpegFrameRate = 0;
    std::int32_t recordMinutes = 0;
    std::int32_t motionMode = 0;
    std::int32_t motionSensitivity = 0;
    std::int32_t motionRecordSeconds = 0;
    std::int32_t eventOverwrite = 0;
    std::int32_t waterMark = 0;
    std::int32_t sorting = 0;
    std::array<std::int32_t, 1> reserved84{};
    // Viewer
    std::int32_t viewerSort = 0;
    // Display
    std::int32_t lcdOut = 0;
    std::int32_t tvOut = 0;
    std::int32_t uiSkin = 0;
    std::int32_t skin = 0;
    std::array<std::int32_t, 3> reserved108{};
    // Setting
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    std::int32_t inVolume = 0;
    std::int32_t outVolume = 0;
    std::int32_t triggerMode = 0;
    std::int32_t accelScale = 0;
    float triggerLevel = 0.0f;
    std::int32_t uiRotate = 0;
    std::int32_t verticalFlip = 0;
    std::int32_t horizontalMirror = 0;
    std::int32_t brightness = 0;
    std::int32_t sharpness = 0;
    std::int32_t exposureBias = 0;
    std::int32_t wdrBias = 0;
    std::int32_t frameRateMode = 0;
    std::array<std::int32_t, 24> reserved196{};
    std::int32_t sdFormat = 0;
    std::int32_t buzzer = 0;
    std::int32_t lcdBrightness = 0;
    std::int32_t batteryVolt = 0;
    std::int32_t irLedMode = 0;
    std::int32_t gpsMode = 0;
    // Never written by the viewer, carried unchanged.
    std::array<std::int32_t, 5> reserved316{};

    Bytes toBytes() const;
    static DeviceConfig fromBytes(std::span<const std::uint8_t, kSize> bytes);

    bool operator==(const DeviceConfig&) const = default;
};

// The wire offsets; the serialisation walks the members by offsetof, so these pin it too.
static_assert(offsetof(DeviceConfig, channels) == 0);
static_assert(offsetof(DeviceConfig, recordMode) == 4);
static_assert(offsetof(DeviceConfig, videoType) == 8);
static_assert(offsetof(DeviceConfig, resolution) == 12);
static_assert(offsetof(DeviceConfig, quality) == 16);
static_assert(offsetof(DeviceConfig, audio) == 20);
static_assert(offsetof(DeviceConfig, siTime) == 24);
static_assert(offsetof(DeviceConfig, siAccelerometer) == 28);
static_assert(offsetof(DeviceConfig, siGroundSpeed) == 32);
static_assert(offsetof(DeviceConfig, udTime) == 36);
static_assert(offsetof(DeviceConfig, udAccelerometer) == 40);
static_assert(offsetof(DeviceConfig, udGroundSpeed) == 44);
static_assert(offsetof(DeviceConfig, udJpeg) == 48);
static_assert(offsetof(DeviceConfig, udJpegFrameRate) == 52);
static_assert(offsetof(DeviceConfig, recordMinutes) == 56);
static_assert(offsetof(DeviceConfig, motionMode) == 60);
static_assert(offsetof(DeviceConfig, motionSensitivity) == 64);
static_assert(offsetof(DeviceConfig, motionRecordSeconds) == 68);
static_assert(offsetof(DeviceConfig, eventOverwrite) == 72);
static_assert(offsetof(DeviceConfig, waterMark) == 76);
static_assert(offsetof(DeviceConfig, sorting) == 80);
static_assert(offsetof(DeviceConfig, reserved84) == 84);
static_assert(offsetof(DeviceConfig, viewerSort) == 88);
static_assert(offsetof(DeviceConfig, lcdOut) == 92);
static_assert(offsetof(DeviceConfig, tvOut) == 96);
static_assert(offsetof(DeviceConfig, uiSkin) == 100);
static_assert(offsetof(DeviceConfig, skin) == 104);
static_assert(offsetof(DeviceConfig, reserved108) == 108);
static_assert(offsetof(DeviceConfig, year) == 120);
static_assert(offsetof(DeviceConfig, month) == 124);
static_assert(offsetof(DeviceConfig, day) == 128);
static_assert(offsetof(DeviceConfig, hour) == 132);
static_assert(offsetof(DeviceConfig, minute) == 136);
static_assert(offsetof(DeviceConfig, second) == 140);
static_assert(offsetof(DeviceConfig, inVolume) == 144);
static_assert(offsetof(DeviceConfig, outVolume) == 148);
static_assert(offsetof(DeviceConfig, triggerMode) == 152);
static_assert(offsetof(DeviceConfig, accelScale) == 156);
static_assert(offsetof(DeviceConfig, triggerLevel) == 160);
static_assert(offsetof(DeviceConfig, uiRotate) == 164);
static_assert(offsetof(DeviceConfig, verticalFlip) == 168);
static_assert(offsetof(DeviceConfig, horizontalMirror) == 172);
static_assert(offsetof(DeviceConfig, brightness) == 176);
static_assert(offsetof(DeviceConfig, sharpness) == 180);
static_assert(offsetof(DeviceConfig, exposureBias) == 184);
static_assert(offsetof(DeviceConfig, wdrBias) == 188);
static_assert(offsetof(DeviceConfig, frameRateMode) == 192);
static_assert(offsetof(DeviceConfig, reserved196) == 196);
static_assert(offsetof(DeviceConfig, sdFormat) == 292);
static_assert(offsetof(DeviceConfig, buzzer) == 296);
static_assert(offsetof(DeviceConfig, lcdBrightness) == 300);
static_assert(offsetof(DeviceConfig, batteryVolt) == 304);
static_assert(offsetof(DeviceConfig, irLedMode) == 308);
static_assert(offsetof(DeviceConfig, gpsMode) == 312);
static_assert(offsetof(DeviceConfig, reserved316) == 316);
static_assert(sizeof(DeviceConfig) == DeviceConfig::kSize);

} // namespace usbconfig

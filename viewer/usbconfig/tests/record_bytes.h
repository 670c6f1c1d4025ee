#pragma once
// Records written and read word by word at their wire offsets, so that the page and window
// tests state what they expect in the bytes the recorder and the registry see.

#include <cstdint>
#include <cstring>
#include <string>

#include "usbconfig/device_config.h"

namespace usbconfig::testing {

class RecordBytes {
public:
    RecordBytes() = default;
    explicit RecordBytes(const DeviceConfig& record) : bytes_(record.toBytes()) {}

    RecordBytes& Set(std::size_t offset, std::int32_t value) {
        const auto u = static_cast<std::uint32_t>(value);
        for (std::size_t b = 0; b < 4; ++b) bytes_[offset + b] = static_cast<std::uint8_t>(u >> (8 * b));
        return *this;
    }
    RecordBytes& SetFloat(std::size_t offset, float value) {
        std::uint32_t u = 0;
        std::memcpy(&u, &value, sizeof u);
        return Set(offset, static_cast<std::int32_t>(u));
    }
    // Every byte from first to last (inclusive) set to fill.
    RecordBytes& Fill(std::size_t first, std::size_t last, std::uint8_t fill) {
        for (std::size_t i = first; i <= last; ++i) bytes_[i] = fill;
        return *this;
    }

    std::int32_t Word(std::size_t offset) const {
        std::uint32_t u = 0;
        for (std::size_t b = 0; b < 4; ++b) u |= static_cast<std::uint32_t>(bytes_[offset + b]) << (8 * b);
        return static_cast<std::int32_t>(u);
    }
    std::uint8_t Byte(std::size_t offset) const { return bytes_[offset]; }
    DeviceConfig Record() const { return DeviceConfig::fromBytes(bytes_); }
    const DeviceConfig::Bytes& bytes() const { return bytes_; }
    std::string Text() const { return std::string(bytes_.begin(), bytes_.end()); }

private:
    DeviceConfig::Bytes bytes_{};
};

} // namespace usbconfig::testing

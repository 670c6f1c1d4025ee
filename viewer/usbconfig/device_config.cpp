#include "usbconfig/device_config.h"

#include <bit>

namespace usbconfig {
namespace {

// Every member is one or more whole 32-bit words and the size check leaves no room for padding,
// so the record is exactly its 84 words; each word's value is then written byte by byte.
using Words = std::array<std::uint32_t, DeviceConfig::kSize / 4>;
static_assert(sizeof(Words) == sizeof(DeviceConfig));

} // namespace

DeviceConfig::Bytes DeviceConfig::toBytes() const {
    const Words words = std::bit_cast<Words>(*this);
    Bytes bytes{};
    for (std::size_t i = 0; i < words.size(); ++i)
        for (std::size_t b = 0; b < 4; ++b)
            bytes[i * 4 + b] = static_cast<std::uint8_t>(words[i] >> (8 * b));
    return bytes;
}

DeviceConfig DeviceConfig::fromBytes(std::span<const std::uint8_t, kSize> bytes) {
    Words words{};
    for (std::size_t i = 0; i < words.size(); ++i)
        for (std::size_t b = 0; b < 4; ++b)
            words[i] |= static_cast<std::uint32_t>(bytes[i * 4 + b]) << (8 * b);
    return std::bit_cast<DeviceConfig>(words);
}

} // namespace usbconfig

#include "telemetry/position_text.h"

#include <array>
#include <charconv>

namespace telemetry {
namespace {

constexpr int kDecimals = 6;
// Room for any finite double in fixed notation: 309 digits, sign, point and decimals.
constexpr std::size_t kFixedBufferSize = 330;
constexpr std::size_t kPaddedWidth = 10;

} // namespace

std::string FormatDegrees(double degrees) {
    std::array<char, kFixedBufferSize> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), degrees,
                                      std::chars_format::fixed, kDecimals);
    return std::string(buffer.data(), result.ptr);
}

std::string PadPositionText(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view sign = negative ? "-" : "";
    const std::string_view degrees = negative ? text.substr(1) : text;
    auto pointAt = [&](std::size_t i) { return degrees.size() > i && degrees[i] == '.'; };
    if (pointAt(1)) return std::string(sign) + "00" + std::string(degrees);
    if (pointAt(2)) return std::string(sign) + "0" + std::string(degrees);
    if (text.size() >= kPaddedWidth) return std::string(text);
    return std::string(kPaddedWidth - text.size(), ' ') + std::string(text);
}

} // namespace telemetry

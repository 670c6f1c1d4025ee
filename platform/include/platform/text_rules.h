#pragma once
// Text rules shared by the stored and received formats (registry values, NMEA sentences, labels):
// numbers read the way the C library's atoi and atof read them, but independent of the process
// locale and without undefined behaviour, and byte-capacity cuts that never split a UTF-8
// character. Header only.

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <system_error>

namespace platform {

namespace text_rules_detail {

constexpr bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips leading white space and one optional sign; returns true for a minus sign.
constexpr bool SkipSpaceAndSign(std::string_view& text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    text.remove_prefix(i);
    return negative;
}

} // namespace text_rules_detail

// atoi: leading white space, an optional sign, digits; anything else ends the number; no digits
// gives 0. Beyond the int range the result saturates at INT_MAX / INT_MIN.
constexpr int ParseLeadingInt(std::string_view text) {
    using namespace text_rules_detail;
    const bool negative = SkipSpaceAndSign(text);
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (char c : text) {
        if (!IsDigit(c)) break;
        magnitude = std::min(magnitude * 10 + (c - '0'), limit);
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

// atof for decimal numbers (digits, one '.', an exponent); no number gives 0. A number beyond the
// double range, "inf" and "nan" also give 0, so the result is always finite.
inline double ParseLeadingDouble(std::string_view text) {
    using namespace text_rules_detail;
    const bool negative = SkipSpaceAndSign(text);
    if (text.empty() || !(IsDigit(text.front()) || text.front() == '.')) return 0.0;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                           std::chars_format::general);
    (void)end;
    if (ec != std::errc() || !std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

// The longest start of text of at most maxBytes bytes that does not end inside a UTF-8
// character. Bytes that are not valid UTF-8 are cut like single-byte characters.
constexpr std::string_view CutUtf8(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t lead = maxBytes;
    for (int backed = 0; lead > 0 && backed < 3 && (byteAt(lead) & 0xC0) == 0x80; ++backed) --lead;
    const unsigned char b = byteAt(lead);
    const std::size_t length = (b & 0xE0) == 0xC0   ? 2
                               : (b & 0xF0) == 0xE0 ? 3
                               : (b & 0xF8) == 0xF0 ? 4
                                                    : 0;
    const bool cutsCharacter = length != 0 && lead + length > maxBytes;
    return text.substr(0, cutsCharacter ? lead : maxBytes);
}

} // namespace platform

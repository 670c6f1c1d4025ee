#pragma once
// Numbers as text in commands, files, registry values, scripts and wire formats, always with the
// "C" locale's rules ("1.50", never "1,50"): the process locale follows the user's environment
// (Qt sets it), so the C library's own formatting and parsing must not be used for them.

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>

namespace platform {

// printf formatting with the "C" locale's numbers, whatever the calling thread's locale.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatTextV(const char* format, va_list arguments);

// Decimal digits of an integer, with a '-' when negative.
template <typename Integer>
std::string IntegerText(Integer value) {
    static_assert(std::is_integral_v<Integer>);
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

// The whole text as an integer in the given base (no sign '+', no blanks); nothing when any
// character is not part of the number or the value does not fit.
template <typename Integer>
std::optional<Integer> ParseInteger(std::string_view text, int base = 10) {
    static_assert(std::is_integral_v<Integer>);
    Integer value{};
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value, base);
    if (text.empty() || error != std::errc() || end != last) return std::nullopt;
    return value;
}

// The whole text as a finite decimal number ("12.5", "-1", "+3", "1e3"); nothing otherwise.
inline std::optional<double> ParseDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    double value = 0.0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

namespace number_text_detail {

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

} // namespace number_text_detail

// atoi: leading white space, an optional sign, digits; anything else ends the number; no digits
// gives 0. Beyond the int range the result saturates at INT_MAX / INT_MIN.
constexpr int ParseLeadingInt(std::string_view text) {
    using namespace number_text_detail;
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
    using namespace number_text_detail;
    const bool negative = SkipSpaceAndSign(text);
    if (text.empty() || !(IsDigit(text.front()) || text.front() == '.')) return 0.0;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                           std::chars_format::general);
    (void)end;
    if (ec != std::errc() || !std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

} // namespace platform

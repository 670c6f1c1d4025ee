#pragma once
// Text rules shared by the stored and received formats (registry values, NMEA sentences, labels):
// numbers written and read independently of the process locale (number_text.h), and
// byte-capacity cuts that never split a UTF-8 character. Header only.

#include <cstddef>
#include <string_view>

#include "platform/number_text.h"

namespace platform {

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

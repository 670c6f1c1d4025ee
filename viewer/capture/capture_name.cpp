#include "capture/capture_name.h"

#include "catalogue/name_rules.h"

namespace capture {

namespace {

// The byte index where the last `count` UTF-8 characters of text start (0 when it has fewer).
std::size_t StartOfLastCharacters(std::string_view text, std::size_t count) {
    std::size_t at = text.size();
    for (std::size_t n = 0; n < count && at > 0; ++n) {
        --at;
        while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
    }
    return at;
}

} // namespace

std::string PositionSuffix(std::int32_t s) {
    return "_" + std::to_string(s / 600) + std::to_string((s / 60) % 10) + std::to_string((s % 60) / 10) +
           std::to_string((s % 60) % 10) + ".jpg";
}

std::string CaptureName(std::string_view currentPath, std::int32_t positionSeconds) {
    std::string name;
    const std::ptrdiff_t start = catalogue::exportPrefixPosition(currentPath);
    if (start >= 0) {
        const std::string_view fromPrefix = currentPath.substr(static_cast<std::size_t>(start));
        name = fromPrefix.substr(0, StartOfLastCharacters(fromPrefix, 4));
    }
    return name + PositionSuffix(positionSeconds);
}

std::string RearCaptureName(std::string name) {
    for (const std::string_view front : {"drf2_", "evt2_"}) {
        if (const std::size_t at = name.find(front); at != std::string::npos) {
            name[at + 3] = '1';
            break;
        }
    }
    return name;
}

} // namespace capture

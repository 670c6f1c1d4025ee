#include "catalogue/recording_name.h"

#include <array>

#include "catalogue/name_rules.h"

namespace catalogue {
namespace {

// Searched in this order; each hit has its fourth character turned to the rear digit.
constexpr std::array<std::string_view, 3> kRearMarkOrder{"evt2", "drf2", "mod0_"};
constexpr std::size_t kChannelDigitIndex = 3;
constexpr std::size_t kExtensionLength = 4;

} // namespace

RecordingName RecordingName::parse(std::string_view path, int channelMode) {
    RecordingName name;
    name.path = std::string(path);
    auto found = lastFoundPrefix(path, frontPrefixes(channelMode));
    if (!found && channelMode != 1) {
        found = lastFoundPrefix(path, rearPrefixes());
        name.rear = found.has_value();
    }
    if (!found) return name;
    name.kind = found->prefix->kind;
    name.prefixPosition = found->position;
    const std::size_t dateStart = static_cast<std::size_t>(found->position) + kDateOffset;
    if (dateStart < path.size()) name.date = std::string(path.substr(dateStart, kDateLength));
    return name;
}

std::string RecordingName::rearPathOf(std::string_view frontPath) {
    std::string rear(frontPath);
    for (std::string_view mark : kRearMarkOrder) {
        const std::size_t at = rear.find(mark);
        if (at != std::string::npos) rear[at + kChannelDigitIndex] = '1';
    }
    return rear;
}

std::string RecordingName::displayDate() const {
    if (date.size() != kDateLength) return {};
    return date.substr(0, 4) + '.' + date.substr(4, 2) + '.' + date.substr(6, 2);
}

std::string RecordingName::displayName() const {
    if (!valid()) return {};
    return path.substr(static_cast<std::size_t>(prefixPosition));
}

std::string RecordingName::baseName() const {
    if (!valid()) return {};
    const std::size_t start = static_cast<std::size_t>(prefixPosition);
    if (path.size() < start + kExtensionLength) return {};
    return path.substr(start, path.size() - kExtensionLength - start);
}

} // namespace catalogue

#include "catalogue/name_rules.h"

#include <algorithm>
#include <array>

namespace catalogue {
namespace {

constexpr std::array<KindPrefix, 3> kTwoChannelPrefixes{{
    {"drf2", RecordingKind::Infinity},
    {"evt2", RecordingKind::Event},
    {"mod0_", RecordingKind::Parking},
}};

constexpr std::array<KindPrefix, 3> kOneChannelPrefixes{{
    {"drf0", RecordingKind::Infinity},
    {"evt0", RecordingKind::Event},
    {"mod0_", RecordingKind::Parking},
}};

constexpr std::array<KindPrefix, 3> kRearPrefixes{{
    {"drf1", RecordingKind::Infinity},
    {"evt1", RecordingKind::Event},
    {"mod1_", RecordingKind::Parking},
}};

constexpr std::array<std::string_view, 2> kCompanionMarks{".mp4.ecc", ".mp4.xls"};
constexpr std::string_view kRecordingMark = ".mp4";

} // namespace

std::ptrdiff_t findAfterStart(std::string_view path, std::string_view needle) {
    const std::size_t at = path.find(needle, 1);
    return at == std::string_view::npos ? -1 : static_cast<std::ptrdiff_t>(at);
}

bool containsAfterStart(std::string_view path, std::string_view needle) {
    return findAfterStart(path, needle) > 0;
}

std::span<const KindPrefix> frontPrefixes(int channelMode) {
    if (channelMode == 1) return kOneChannelPrefixes;
    return kTwoChannelPrefixes;
}

std::span<const KindPrefix> rearPrefixes() { return kRearPrefixes; }

std::optional<FoundPrefix> lastFoundPrefix(std::string_view path,
                                           std::span<const KindPrefix> prefixes) {
    std::optional<FoundPrefix> found;
    for (const KindPrefix& prefix : prefixes) {
        const std::ptrdiff_t at = findAfterStart(path, prefix.text);
        if (at > 0) found = FoundPrefix{&prefix, at};
    }
    return found;
}

std::string_view scanPrefix(RecordingKind kind, int channelMode) {
    const auto prefixes = frontPrefixes(channelMode);
    const auto it = std::find_if(prefixes.begin(), prefixes.end(),
                                 [kind](const KindPrefix& p) { return p.kind == kind; });
    return it == prefixes.end() ? std::string_view() : it->text;
}

bool matchesScanName(std::string_view path, RecordingKind kind, int channelMode) {
    return containsAfterStart(path, scanPrefix(kind, channelMode)) &&
           containsAfterStart(path, kRecordingMark) && !isCompanion(path);
}

bool acceptsDroppedPath(std::string_view path) {
    return lastFoundPrefix(path, kTwoChannelPrefixes).has_value();
}

std::ptrdiff_t titlePrefixPosition(std::string_view path) {
    const auto found = lastFoundPrefix(path, kTwoChannelPrefixes);
    return found ? found->position : -1;
}

std::ptrdiff_t exportPrefixPosition(std::string_view path) {
    const std::ptrdiff_t infinity = findAfterStart(path, "drf2");
    return infinity >= 0 ? infinity : findAfterStart(path, "evt2");
}

bool isCompanion(std::string_view path) {
    return std::any_of(kCompanionMarks.begin(), kCompanionMarks.end(),
                       [path](std::string_view mark) { return containsAfterStart(path, mark); });
}

} // namespace catalogue

#pragma once
// What a recording's path says about it: kind, channel role, date and the path of its rear
// channel. A recording is identified by its full path (UTF-8); the name grammar from the kind
// prefix on is: prefix (4 characters and "_", or "mod0_"), 8 date digits YYYYMMDD at prefix + 5,
// then the rest of the name ending in ".mp4". A plain value, copied freely.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/recording_kind.h"

namespace catalogue {

class RecordingName {
public:
    static constexpr std::size_t kDateLength = 8;
    static constexpr std::size_t kDateOffset = 5;  // from the start of the kind prefix

    // Finds the front prefix of the channel mode (see frontPrefixes); when several occur the
    // last in the order of search decides. In two-channel mode a path without a front prefix
    // is also tried for a rear prefix ("drf1", "evt1", "mod1_"), which sets rear.
    static RecordingName parse(std::string_view path, int channelMode);

    // The rear-channel path of a front path: the first "evt2", then the first "drf2", then the
    // first "mod0_" anywhere in the path (folder included) has its fourth character turned to
    // '1'. A path without them comes back unchanged.
    static std::string rearPathOf(std::string_view frontPath);

    bool valid() const { return prefixPosition >= 0; }

    // "YYYY.MM.DD" from the date characters; empty when the path ends before eight date
    // characters (or has no prefix).
    std::string displayDate() const;

    // From the prefix to the end of the path; empty without a prefix.
    std::string displayName() const;

    // From the prefix up to the last four characters (".mp4"); empty when the path has no
    // prefix or ends within four characters of it.
    std::string baseName() const;

    std::string rearPath() const { return rearPathOf(path); }

    std::string path;
    std::optional<RecordingKind> kind;  // unset when no prefix was found
    std::ptrdiff_t prefixPosition = -1;
    bool rear = false;
    std::string date;                   // up to 8 characters from prefix + 5
};

} // namespace catalogue

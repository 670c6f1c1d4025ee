#pragma once
// The substring rules by which a recording's path tells what it is. Every test is a
// case-sensitive search of the whole path text, and a match counts only at an index greater than
// 0 (a path starts with a folder, never with a kind prefix). Each entry point that accepts paths
// has its own function here, so that no caller repeats a prefix list.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "catalogue/recording_kind.h"

namespace catalogue {

struct KindPrefix {
    std::string_view text;
    RecordingKind kind;
};

// Index of the first match of needle at an index greater than 0, or -1.
std::ptrdiff_t findAfterStart(std::string_view path, std::string_view needle);
bool containsAfterStart(std::string_view path, std::string_view needle);

// The front-channel prefixes looked for in a channel mode, in the order of search: "drf2",
// "evt2", "mod0_" in two-channel mode, "drf0", "evt0", "mod0_" in one-channel mode. Any mode
// other than 1 is two-channel.
std::span<const KindPrefix> frontPrefixes(int channelMode);

// Rear-channel prefixes ("drf1", "evt1", "mod1_"): the front prefix with its fourth character 1.
std::span<const KindPrefix> rearPrefixes();

struct FoundPrefix {
    const KindPrefix* prefix;
    std::ptrdiff_t position;  // index in the path
};

// Searches the prefixes in order; when several are found the last found decides.
std::optional<FoundPrefix> lastFoundPrefix(std::string_view path,
                                           std::span<const KindPrefix> prefixes);

// The prefix the folder scan looks for on a kind's tab.
std::string_view scanPrefix(RecordingKind kind, int channelMode);

// A file the folder scan may list, by name alone: the tab's prefix, ".mp4", not a companion
// file. The container check decides the rest.
bool matchesScanName(std::string_view path, RecordingKind kind, int channelMode);

// Files dropped on the main window: "drf2", "evt2" or "mod0_", whatever the channel mode.
bool acceptsDroppedPath(std::string_view path);

// Where the title line of the main window starts: the last found of "drf2", "evt2", "mod0_"
// (in that order of search), or -1 for no title.
std::ptrdiff_t titlePrefixPosition(std::string_view path);

// Where the names of exported copies (clips, still captures) start: the first "drf2", else the
// first "evt2", or -1 when the path has neither.
std::ptrdiff_t exportPrefixPosition(std::string_view path);

// Files that lie beside recordings: names holding ".mp4.ecc" or ".mp4.xls".
bool isCompanion(std::string_view path);

} // namespace catalogue

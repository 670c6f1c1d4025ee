#pragma once
// Rules for registry key paths, value names and texts shared by the store and the file format.
// Keys and names compare without regard to ASCII case, as on Windows.

#include <map>
#include <string>
#include <string_view>

namespace platform::detail {

bool EqualNoCase(std::string_view a, std::string_view b);

// Valid UTF-8 without control characters: can stand between quotes on one line of a file.
bool IsPlainText(std::string_view text);

// A key path is plain text, not empty, and neither starts nor ends with a backslash.
bool IsValidKeyName(std::string_view key);
// A value name is plain text (empty: the key's default value).
bool IsValidValueName(std::string_view name);

template <class Map>
typename Map::mapped_type* FindNoCase(Map& map, std::string_view key) {
    for (auto& [k, v] : map)
        if (EqualNoCase(k, key)) return &v;
    return nullptr;
}

// The entry whose key equals this one without regard to case; a new entry when there is none.
template <class Map>
typename Map::mapped_type& FindOrAddNoCase(Map& map, std::string_view key) {
    if (auto* found = FindNoCase(map, key)) return *found;
    return map[std::string(key)];
}

} // namespace platform::detail

#pragma once
// Folder texts of the settings and save-settings windows: how a chosen folder gets its
// separator, and how a folder is cut to fit the windows' folder box.

#include <string>
#include <string_view>

namespace settings {

// The settings window's rule: a separator is appended unless the path already ends in one
// (only the root does), so "/media/card" becomes "/media/card/" and "/" stays "/".
std::string FolderEndingInSeparator(std::string_view path);

// The save-settings window's rule: one separator is always appended ("/" becomes "//", which
// names the same folder).
std::string FolderWithAddedSeparator(std::string_view path);

// What the folder box shows: the whole folder when it is shorter than 13 characters, otherwise
// its first 13 characters and "...". Characters, not bytes: a Korean name is never cut inside one.
std::string ShownFolder(std::string_view folder);

} // namespace settings

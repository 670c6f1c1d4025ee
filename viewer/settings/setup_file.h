#pragma once
// The recorder setup file "setup.dat": one line of seven numbers separated by blanks, without a
// line end, which the recorder reads from its card:
//   drive mode (0 driving, 1 vehicle stop), microphone volume, speaker volume, G-sensor level,
//   channels (1 front only, 2 front and rear), TV out (1 front, 2 rear),
//   language (1 Korean, 0 English, 2 Japanese; any other choice 1).
// For example "0 3 3 4 1 1 1" after a start without changes.

#include <filesystem>
#include <string>

#include "settings/setting_choices.h"
#include "settings/viewer_config.h"

namespace settings {

inline constexpr const char* kSetupFileName = "setup.dat";

std::string SetupFileLine(const ViewerConfig& config, const SettingChoices& choices);

// The file in folder, which ends in its separator; an empty folder means the current folder.
std::filesystem::path SetupFilePath(const std::string& folder);

} // namespace settings

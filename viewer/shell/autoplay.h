#pragma once
// Unattended playback for programs that drive the viewer (the viewer benchmark): when the
// environment variable TRIPDESK_AUTOPLAY names recordings (paths separated by ':'), the started
// main window takes them as if they were dropped on it and plays the first, and every frame it
// shows is traced as "####frame N" so that the driving program can count them.

#include <string>
#include <vector>

namespace shell {

inline constexpr const char* kAutoplayVariable = "TRIPDESK_AUTOPLAY";

// The paths named by TRIPDESK_AUTOPLAY, in order; empty when it is unset or empty.
std::vector<std::string> AutoplayFiles();

// Splits a ':'-separated list of paths, skipping empty parts.
std::vector<std::string> SplitPathList(const std::string& list);

} // namespace shell

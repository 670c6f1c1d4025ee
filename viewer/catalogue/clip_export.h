#pragma once
// Clip export: copies of the current recording (front and, in two-channel mode, rear) in the
// save folder, named "copy_" + the recording's name from its kind prefix, each with the standard
// file-type box at its head. No window: the main window and the clipcopy tool both run it.

#include <string>
#include <vector>

#include "catalogue/recording_copy.h"

namespace catalogue {

// What the main window shows after an export (caption kClipCaption).
inline constexpr const char* kClipSavedText = "저장이 완료되었습니다.";     // saving is complete
inline constexpr const char* kClipFailedText = "저장에 실패했습니다.";      // saving failed
inline constexpr const char* kClipCaption = "Vistrel";

struct ClipCopy {
    std::string source;
    std::string destination;
    CopyResult result;
};

class ClipExport {
public:
    // path: the current recording; folder: the save folder as the settings window keeps it
    // (ending in "/", or empty for the current directory); channelMode 1 or 2.
    ClipExport(std::string path, std::string folder, int channelMode);

    // folder + "copy_" + the path from its export prefix (the first "drf2", else the first
    // "evt2"; else the kind prefix of the channel mode; else the file name) up to its last four
    // characters + ".mp4".
    const std::string& FrontDestination() const { return frontDestination_; }
    // The front destination with the fourth character of its prefix (after "copy_") set to '1'.
    std::string RearDestination() const;
    std::string RearSource() const;

    // Copies the front when front is set, the rear only in two-channel mode with rear set; one
    // entry per copy made, front first.
    std::vector<ClipCopy> Run(bool front, bool rear) const;

private:
    std::string path_;
    std::string folder_;
    int channelMode_;
    std::string frontDestination_;
};

// True when every copy was written (also when none was requested).
bool AllWritten(const std::vector<ClipCopy>& copies);
// kClipSavedText when all were written, else kClipFailedText.
const char* ClipExportMessage(const std::vector<ClipCopy>& copies);
// One line naming the destination and its result: "written", or the failed step, its path and
// the system's reason.
std::string Describe(const ClipCopy& copy);

} // namespace catalogue

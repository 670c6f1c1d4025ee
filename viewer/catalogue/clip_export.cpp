#include "catalogue/clip_export.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "catalogue/name_rules.h"
#include "catalogue/recording_name.h"

namespace catalogue {

namespace {

constexpr std::string_view kCopyPrefix = "copy_";
constexpr std::string_view kRecordingEnding = ".mp4";
constexpr std::size_t kChannelDigit = 3;   // in the kind prefix

std::ptrdiff_t NameStart(const std::string& path, int channelMode) {
    const std::ptrdiff_t exported = exportPrefixPosition(path);
    if (exported >= 0) return exported;
    const std::ptrdiff_t kind = RecordingName::parse(path, channelMode).prefixPosition;
    if (kind >= 0) return kind;
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : static_cast<std::ptrdiff_t>(slash + 1);
}

const char* StepText(CopyStep step) {
    switch (step) {
    case CopyStep::Done: return "written";
    case CopyStep::NoRearChannel: return "no rear file for";
    case CopyStep::OpenSource: return "cannot open";
    case CopyStep::CreateTemporary: return "cannot create a file in the folder of";
    case CopyStep::Read: return "cannot read";
    case CopyStep::Write: return "cannot write";
    case CopyStep::Close: return "cannot finish";
    }
    return "";
}

} // namespace

ClipExport::ClipExport(std::string path, std::string folder, int channelMode)
    : path_(std::move(path)), folder_(std::move(folder)), channelMode_(channelMode) {
    const auto start = static_cast<std::size_t>(NameStart(path_, channelMode_));
    const std::size_t end = std::max(start, path_.size() >= 4 ? path_.size() - 4 : 0);
    frontDestination_ = folder_;
    frontDestination_ += kCopyPrefix;
    frontDestination_ += std::string_view(path_).substr(start, end - start);
    frontDestination_ += kRecordingEnding;
}

std::string ClipExport::RearDestination() const {
    std::string rear = frontDestination_;
    const std::size_t digit = folder_.size() + kCopyPrefix.size() + kChannelDigit;
    if (digit < rear.size() - kRecordingEnding.size()) rear[digit] = '1';
    return rear;
}

std::string ClipExport::RearSource() const { return RecordingName::rearPathOf(path_); }

std::vector<ClipCopy> ClipExport::Run(bool front, bool rear) const {
    std::vector<ClipCopy> copies;
    if (front) copies.push_back({path_, frontDestination_, CopyRecording(path_, frontDestination_)});
    if (rear && channelMode_ == 2) {
        ClipCopy copy{RearSource(), RearDestination(), {}};
        // A name without a kind prefix has no rear file: its "rear path" is the front file.
        copy.result = copy.source == path_ ? CopyResult{CopyStep::NoRearChannel, 0}
                                           : CopyRecording(copy.source, copy.destination);
        copies.push_back(std::move(copy));
    }
    return copies;
}

bool AllWritten(const std::vector<ClipCopy>& copies) {
    return std::all_of(copies.begin(), copies.end(), [](const ClipCopy& c) { return c.result.ok(); });
}

const char* ClipExportMessage(const std::vector<ClipCopy>& copies) {
    return AllWritten(copies) ? kClipSavedText : kClipFailedText;
}

std::string Describe(const ClipCopy& copy) {
    std::string line = copy.destination + ": " + StepText(copy.result.failedAt);
    if (copy.result.ok()) return line;
    const bool aboutSource = copy.result.failedAt == CopyStep::NoRearChannel ||
                             copy.result.failedAt == CopyStep::OpenSource || copy.result.failedAt == CopyStep::Read;
    line += ' ';
    line += aboutSource ? copy.source : copy.destination;
    if (copy.result.error != 0) {
        line += ": ";
        line += std::strerror(copy.result.error);
    }
    return line;
}

} // namespace catalogue

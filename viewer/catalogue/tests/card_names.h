#pragma once
// What the file lists show of the default sample card.

#include <algorithm>
#include <string>
#include <vector>

#include "samplecard/card_plan.h"

namespace catalogue::test {

// The names the card's plan says a tab lists: the kind's front (two-channel mode) or single
// (one-channel mode) recordings without a defect, in byte order.
inline std::vector<std::string> ExpectedNames(const samplecard::CardPlan& plan, samplecard::RecordingKind kind,
                                              int channelMode) {
    const auto role = channelMode == 1 ? samplecard::ChannelRole::Single : samplecard::ChannelRole::Front;
    std::vector<std::string> names;
    for (const samplecard::PlannedRecording& r : plan.recordings)
        if (r.kind == kind && r.role == role && r.defect == samplecard::Defect::None) names.push_back(r.fileName);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace catalogue::test

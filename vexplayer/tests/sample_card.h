#pragma once
// The sample card the tests play: made once by the samplecard program (shared by the test
// programs of this folder, guarded by a lock file) and described by its plan.

#include <string>
#include <utility>

#include "samplecard/card_plan.h"

namespace vexplayer::testing {

class SampleCard {
public:
    static constexpr int kSeconds = 4;

    static const SampleCard& get();

    const samplecard::CardPlan& plan() const { return plan_; }
    std::string path(const std::string& fileName) const { return folder_ + "/" + fileName; }
    // The n-th complete front/rear pair of continuous recordings (front, rear).
    std::pair<std::string, std::string> pair(int n) const;
    // The n-th one-channel recording.
    std::string single(int n) const;
    // The front file of the first two-channel recording with this defect.
    std::string withDefect(samplecard::Defect defect) const;
    // A front file whose rear file is not on the card, and the rear path it would have.
    std::pair<std::string, std::string> frontWithoutRear() const;
    std::string folder() const { return folder_; }

private:
    SampleCard();
    std::string folder_;
    samplecard::CardPlan plan_;
};

// A scratch folder of the running test program, emptied on first use.
std::string ScratchFolder();

} // namespace vexplayer::testing

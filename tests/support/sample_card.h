#pragma once
// The default sample card: made once by the sample_card_setup test, before every test program
// declared with tripdesk_add_test(... SAMPLE_CARD), at TRIPDESK_SAMPLE_CARD_DIR; and its plan,
// which says what it holds. Programs that run at the same time share it: read it, never change
// it (a test that damages or renames a file works on a copy).

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "samplecard/card_plan.h"

namespace tripdesk::test {

class SampleCard {
public:
    static const SampleCard& get() {
        static const SampleCard card;
        return card;
    }

    const samplecard::CardPlan& plan() const { return plan_; }
    int seconds() const { return plan_.options.seconds; }  // of every recording
    std::uint32_t entries() const { return static_cast<std::uint32_t>(plan_.options.entries()); }  // user-data entries
    const std::filesystem::path& folder() const { return folder_; }
    std::string path(std::string_view fileName) const { return (folder_ / fileName).string(); }
    std::string path(const samplecard::PlannedRecording& recording) const { return path(recording.fileName); }

    // The front recording of the n-th whole continuous pair (neither file damaged).
    const samplecard::PlannedRecording& front(int n) const {
        return nth(n, "no such pair on the card", [](const samplecard::PlannedRecording& r) {
            return r.role == samplecard::ChannelRole::Front && r.defect == samplecard::Defect::None && !r.pairMissing &&
                   r.kind == samplecard::RecordingKind::Continuous;
        });
    }
    // The n-th one-channel recording without a defect.
    const samplecard::PlannedRecording& single(int n) const {
        return nth(n, "no such one-channel recording on the card", [](const samplecard::PlannedRecording& r) {
            return r.role == samplecard::ChannelRole::Single && r.defect == samplecard::Defect::None;
        });
    }
    // The front recording of the first pair with this defect.
    const samplecard::PlannedRecording& withDefect(samplecard::Defect defect) const {
        return nth(0, "no such defect on the card", [defect](const samplecard::PlannedRecording& r) {
            return r.role == samplecard::ChannelRole::Front && r.defect == defect;
        });
    }
    // A front recording whose rear file is not on the card.
    const samplecard::PlannedRecording& frontWithoutRear() const {
        return nth(0, "no front file without its rear on the card", [](const samplecard::PlannedRecording& r) {
            return r.role == samplecard::ChannelRole::Front && r.pairMissing;
        });
    }

    // The paths of a front recording and of its rear file.
    std::pair<std::string, std::string> pathsOf(const samplecard::PlannedRecording& front) const {
        return {path(front), path(front.pairedFileName)};
    }
    std::pair<std::string, std::string> pair(int n) const { return pathsOf(front(n)); }

private:
    SampleCard() : plan_(samplecard::planCard({})), folder_(TRIPDESK_SAMPLE_CARD_DIR) {}

    template <class Matches>
    const samplecard::PlannedRecording& nth(int n, const char* missing, Matches matches) const {
        for (const samplecard::PlannedRecording& recording : plan_.recordings)
            if (matches(recording) && n-- == 0) return recording;
        throw std::out_of_range(missing);
    }

    samplecard::CardPlan plan_;
    std::filesystem::path folder_;
};

} // namespace tripdesk::test

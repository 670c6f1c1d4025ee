#pragma once
// Files for the scan tests: recordings with a chosen box layout, and a sample card made by the
// sample-card generator (small pictures, one-second recordings) with the plan of what it holds.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "samplecard/card_plan.h"
#include "samplecard/card_writer.h"

namespace catalogue::test {

// One box: 32-bit big-endian size, the type, then zero bytes up to the size.
inline std::string Box(const char* type, std::uint32_t size) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<char>((size >> shift) & 0xFF));
    bytes.append(type, 4);
    bytes.append(size - 8, '\0');
    return bytes;
}

// The recorder's layout: a 24-byte ftyp, then mdat and moov.
inline std::string CompleteRecording() { return Box("ftyp", 24) + Box("mdat", 64) + Box("moov", 32); }

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// An empty folder under the test's work folder.
inline std::filesystem::path FreshFolder(const std::string& name) {
    const auto folder = std::filesystem::path(TRIPDESK_TEST_WORK_DIR) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

struct SampleCard {
    std::filesystem::path folder;
    samplecard::CardPlan plan;

    // The names the card's plan says a tab lists: the kind's front (two-channel mode) or single
    // (one-channel mode) recordings without a defect, in byte order.
    std::vector<std::string> expectedNames(samplecard::RecordingKind kind, int channelMode) const {
        const auto role = channelMode == 1 ? samplecard::ChannelRole::Single
                                           : samplecard::ChannelRole::Front;
        std::vector<std::string> names;
        for (const samplecard::PlannedRecording& r : plan.recordings)
            if (r.kind == kind && r.role == role && r.defect == samplecard::Defect::None)
                names.push_back(r.fileName);
        std::sort(names.begin(), names.end());
        return names;
    }
};

// Generated once per test program.
inline const SampleCard& TheSampleCard() {
    static const SampleCard card = [] {
        samplecard::CardOptions options;
        options.width = 160;
        options.height = 120;
        options.seconds = 1;
        const auto folder = FreshFolder("sample_card");
        return SampleCard{folder, samplecard::generateCard(folder, options)};
    }();
    return card;
}

} // namespace catalogue::test

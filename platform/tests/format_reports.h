#pragma once
// What a format call reported through its callback, in order, for the format service's tests.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/format_service.h"

namespace platform {

struct FormatReports {
    std::vector<std::uint32_t> percents;
    std::vector<std::string> outputs;
    std::vector<int> doneFlags;
    bool doneWasLast = false;
    // Answer of the callback to the progress report of this percent (stop there); -1: go on.
    std::int64_t stopAt = -1;

    static FormatReports& Current() {
        static FormatReports reports;
        return reports;
    }
    static FormatReports& Fresh() { return Current() = FormatReports{}; }

    static bool Record(unsigned command, unsigned, void* info) {
        FormatReports& reports = Current();
        reports.doneWasLast = command == FMIFS_DONE;
        if (command == FMIFS_PROGRESS) {
            const auto percent = *static_cast<std::uint32_t*>(info);
            reports.percents.push_back(percent);
            if (reports.stopAt == percent) return false;
        } else if (command == FMIFS_OUTPUT) {
            reports.outputs.emplace_back(static_cast<const char*>(info));
        } else if (command == FMIFS_DONE) {
            reports.doneFlags.push_back(*static_cast<std::uint8_t*>(info));
        }
        return true;
    }

    bool strictlyIncreasing() const {
        for (std::size_t i = 1; i < percents.size(); ++i) {
            if (percents[i] <= percents[i - 1]) return false;
        }
        return true;
    }
};

} // namespace platform

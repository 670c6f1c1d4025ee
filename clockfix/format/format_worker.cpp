#include "format_worker.h"

#include <atomic>
#include <cstdint>

#include "format_entry.h"
#include "format_messages.h"
#include "platform/drives.h"
#include "platform/messages.h"
#include "platform/number_text.h"
#include "platform/trace.h"

namespace clockfix {
namespace {

// The callback is a plain function, as the entry wants: what it reports to lives here. Set by
// the worker before the entry runs; one format at a time.
std::atomic<platform::HWND> receiver{platform::kNoWindow};
std::atomic<bool> doneReported{false};

bool OnFormatReport(unsigned command, unsigned, void* info) {
    platform::OutputDebugString(platform::FormatText("[%d]\n", static_cast<int>(command)));
    if (command == platform::FMIFS_PROGRESS) {
        platform::PostMessage(receiver.load(), WM_FORMAT_PROGRESS, *static_cast<std::uint32_t*>(info), 0);
    } else if (command == platform::FMIFS_DONE) {
        if (!doneReported.exchange(true)) {
            const bool success = *static_cast<std::uint8_t*>(info) == 1;
            platform::PostMessage(receiver.load(), success ? WM_FORMAT_DONE : WM_FORMAT_FAILED, 0, 0);
        }
    } else if (command == platform::FMIFS_OUTPUT) {
        platform::OutputDebugString("OutPut\n");
    }
    return true;
}

} // namespace

std::optional<FormatTarget> VolumeNow(const std::string& mountPoint) {
    const auto volume = platform::VolumeAt(mountPoint);
    if (!volume) return std::nullopt;
    return FormatTarget{mountPoint, volume->major, volume->minor, platform::VolumeLabel(mountPoint)};
}

void RunFormatWorker(const FormatTarget& target, platform::HWND window) {
    const auto now = VolumeNow(target.mountPoint);
    const bool same = now && *now == target && platform::GetDriveType(target.mountPoint) == platform::DRIVE_REMOVABLE;
    const platform::FormatExFunction entry = same ? FindFormatEntry() : nullptr;
    if (entry == nullptr) {
        platform::PostMessage(window, WM_FORMAT_FAILED, 0, 0);
        return;
    }
    receiver.store(window);
    doneReported.store(false);
    entry(target.mountPoint.c_str(), platform::FMIFS_REMOVABLE, "FAT32", "KX-310T", false, 0, &OnFormatReport);
    if (!doneReported.exchange(true)) platform::PostMessage(window, WM_FORMAT_FAILED, 0, 0);
}

} // namespace clockfix

#pragma once
// The card format service with the contract of the Windows format entry FormatEx: the call
// formats the volume mounted at root and returns when it has ended; the result comes only through
// the callback. An image volume (its mount source a regular file) is zeroed and made with
// mkfs.fat; a block device goes through UDisks2 on the system bus, or, for root without UDisks2,
// is unmounted, zeroed, made with mkfs.fat and mounted again.
//
// Callback reports, on the calling thread: FMIFS_PROGRESS (info → std::uint32_t percent, never
// decreasing, at most one per whole percent, 100 once the file system is made), FMIFS_OUTPUT
// (info → const char*, one line of the tool's output) and exactly one FMIFS_DONE (info →
// std::uint8_t, 1 = success) as the last report. Success means the volume reads back as FAT32
// with the label asked for. The callback returns false to stop before the next step.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

inline constexpr unsigned FMIFS_PROGRESS = 0;
inline constexpr unsigned FMIFS_DONE = 11;
inline constexpr unsigned FMIFS_OUTPUT = 14;

// The only media kind formatted: removable media (the service refuses every other).
inline constexpr unsigned FMIFS_REMOVABLE = 11;

using FormatCallback = bool (*)(unsigned command, unsigned subAction, void* info);
using FormatExFunction = void (*)(const char* root, unsigned media, const char* fileSystem, const char* label,
                                  bool quick, unsigned clusterSize, FormatCallback callback);

// Refused (done with flag 0, nothing written): a file system other than "FAT32", media other than
// FMIFS_REMOVABLE, a root with no volume, a volume on the disk of "/", one that is neither an
// image file nor a removable disk's volume, a cluster size that is not 0 or a power of two from
// 512 to 65536 bytes.
void FormatEx(const char* root, unsigned media, const char* fileSystem, const char* label, bool quick,
              unsigned clusterSize, FormatCallback callback);

// The entry, or nullptr when this machine cannot format: neither UDisks2 on the system bus nor
// mkfs.fat. Goes through the lookup hook when one is installed.
FormatExFunction FindFormatEx();
using FormatExLookupHook = std::function<FormatExFunction()>;
void SetFormatExLookupHook(FormatExLookupHook hook);

// mkfs.fat in the folders of pathVariable (":"-separated), then in extraFolders; empty when none
// holds an executable one.
std::string FindFormatTool(const std::string& pathVariable, const std::vector<std::string>& extraFolders);

} // namespace platform

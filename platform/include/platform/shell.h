#pragma once
// Shell execute of a program by its Windows name: "Clockfix.exe" starts the program "clockfix",
// found in the current folder, then the program's own folder, then PATH. Detached. The result
// follows the Windows convention: above 32 is success, 2 means the file was not found.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/win_types.h"

namespace platform {

inline constexpr std::intptr_t SE_ERR_FNF = 2;
inline constexpr std::intptr_t SE_ERR_ACCESSDENIED = 5;
inline constexpr std::intptr_t SE_ERR_NOASSOC = 31;   // an operation other than "open"
inline constexpr int SW_SHOWNORMAL = 1;

std::intptr_t ShellExecuteA(HWND hwnd, const char* operation, const char* file,
                            const char* parameters, const char* directory, int showCommand);

std::optional<std::filesystem::path> FindProgram(const char* windowsName);

// The folder of the running program.
std::filesystem::path ProgramDir();

} // namespace platform

#include "platform/shell.h"

#include <unistd.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace platform {

namespace {

constexpr std::intptr_t kStarted = 42;  // any value above 32 means success

std::string ProgramName(const char* windowsName) {
    std::string name(windowsName);
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    constexpr std::string_view kExe = ".exe";
    if (name.size() > kExe.size() && name.compare(name.size() - kExe.size(), kExe.size(), kExe) == 0)
        name.resize(name.size() - kExe.size());
    return name;
}

bool IsRunnable(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

QStringList Arguments(const char* parameters) {
    if (!parameters) return {};
    return QString::fromUtf8(parameters).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

std::filesystem::path ProgramDir() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : self.parent_path();
}

std::optional<std::filesystem::path> FindProgram(const char* windowsName) {
    if (!windowsName || !*windowsName) return std::nullopt;
    const std::string name = ProgramName(windowsName);
    if (name.empty()) return std::nullopt;
    std::error_code error;
    for (const std::filesystem::path& folder : {std::filesystem::current_path(error), ProgramDir()}) {
        if (!folder.empty() && IsRunnable(folder / name)) return folder / name;
    }
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
        if (folder.empty()) continue;
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (IsRunnable(candidate)) return candidate;
    }
    return std::nullopt;
}

std::intptr_t ShellExecuteA(HWND, const char* operation, const char* file, const char* parameters,
                            const char* directory, int) {
    if (operation && std::strcmp(operation, "open") != 0) return SE_ERR_NOASSOC;
    const auto program = FindProgram(file);
    if (!program) return SE_ERR_FNF;
    const QString workingDir = directory && *directory ? QString::fromUtf8(directory) : QString();
    const bool started =
        QProcess::startDetached(QString::fromStdString(program->string()), Arguments(parameters), workingDir);
    return started ? kStarted : SE_ERR_ACCESSDENIED;
}

} // namespace platform

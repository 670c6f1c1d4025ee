#include "format_tool.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

extern char** environ;

namespace platform {
namespace {

// As large as dd's usual 4 MiB blocks: the zeroing runs at the disk's rate.
constexpr std::size_t kZeroChunk = 4u << 20;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

bool WriteZeros(const std::string& target, FormatReport& report) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) return false;
    // A block device is opened exclusively, which fails while anything still has it mounted.
    const int flags = O_WRONLY | O_CLOEXEC | (S_ISBLK(info.st_mode) ? O_EXCL : 0);
    FileDescriptor file(::open(target.c_str(), flags));
    if (file.get() < 0) return false;
    const off_t end = ::lseek(file.get(), 0, SEEK_END);
    if (end < 0) return false;
    const auto size = static_cast<std::uint64_t>(end);
    const std::unique_ptr<char[]> zeros(new char[kZeroChunk]());
    std::uint64_t written = 0;
    report.progress(0, size);
    while (written < size && report.goOn()) {
        const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(kZeroChunk, size - written));
        const ssize_t count = ::pwrite(file.get(), zeros.get(), length, static_cast<off_t>(written));
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        written += static_cast<std::uint64_t>(count);
        report.progress(written, size);
    }
    return written == size && ::fdatasync(file.get()) == 0;
}

std::vector<std::string> ToolArguments(const std::string& tool, const std::string& target, const std::string& label,
                                       unsigned clusterSize) {
    std::vector<std::string> arguments{tool, "-F", "32", "-n", label};
    if (clusterSize != 0) {
        arguments.push_back("-s");
        arguments.push_back(std::to_string(clusterSize / 512));
    }
    arguments.push_back(target);
    return arguments;
}

// Runs the tool with its standard output and error as output lines; true when it exits with 0.
bool RunTool(const std::vector<std::string>& arguments, FormatReport& report) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
    FileDescriptor readEnd(pipeEnds[0]);
    FileDescriptor writeEnd(pipeEnds[1]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    writeEnd.close();
    if (spawned != 0) return false;

    std::string pending;
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t count = ::read(readEnd.get(), buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) break;
        pending.append(buffer.data(), static_cast<std::size_t>(count));
        for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            report.output(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    if (!pending.empty()) report.output(pending);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

std::string FindFormatTool(const std::string& pathVariable, const std::vector<std::string>& extraFolders) {
    std::vector<std::string> folders;
    std::istringstream path(pathVariable);
    for (std::string folder; std::getline(path, folder, ':');) {
        if (!folder.empty()) folders.push_back(folder);
    }
    folders.insert(folders.end(), extraFolders.begin(), extraFolders.end());
    for (const std::string& folder : folders) {
        const std::string candidate = folder + "/mkfs.fat";
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

bool ReadsBackAsFat32(const std::string& target, const std::string& label) {
    FileDescriptor file(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
    std::array<unsigned char, 512> sector{};
    if (file.get() < 0 || ::pread(file.get(), sector.data(), sector.size(), 0) != static_cast<ssize_t>(sector.size())) {
        return false;
    }
    std::string padded = label;
    if (padded.size() > 11) return false;
    padded.resize(11, ' ');
    return sector[510] == 0x55 && sector[511] == 0xAA && std::memcmp(&sector[82], "FAT32   ", 8) == 0 &&
           std::memcmp(&sector[71], padded.data(), 11) == 0;
}

bool FormatWithTool(const std::string& target, const std::string& label, bool quick, unsigned clusterSize,
                    FormatReport& report) {
    const char* path = std::getenv("PATH");
    const std::string tool = FindFormatTool(path != nullptr ? path : "", kFormatToolFolders);
    if (tool.empty()) return false;
    if (!quick && !WriteZeros(target, report)) return false;
    if (!report.goOn() || !RunTool(ToolArguments(tool, target, label, clusterSize), report)) return false;
    report.made();
    return ReadsBackAsFat32(target, label);
}

} // namespace platform

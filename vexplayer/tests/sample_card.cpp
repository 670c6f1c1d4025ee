#include "sample_card.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace vexplayer::testing {

namespace {

namespace fs = std::filesystem;

samplecard::CardOptions Options() {
    samplecard::CardOptions options;
    options.seconds = SampleCard::kSeconds;
    return options;
}

// Serialises the test programs that share the card while one of them makes it.
class FolderLock {
public:
    explicit FolderLock(const fs::path& file) : fd_(::open(file.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644)) {
        if (fd_ < 0 || ::flock(fd_, LOCK_EX) != 0) throw std::runtime_error("cannot lock " + file.string());
    }
    ~FolderLock() { ::close(fd_); }

private:
    int fd_;
};

} // namespace

SampleCard::SampleCard() : plan_(samplecard::planCard(Options())) {
    const fs::path shared = fs::path(TRIPDESK_TEST_WORK_DIR).parent_path() / "vexplayer-card";
    fs::create_directories(shared);
    folder_ = (shared / "card").string();
    FolderLock lock(shared / "lock");
    const fs::path complete = shared / "complete";
    if (fs::exists(complete)) return;
    fs::remove_all(folder_);
    const std::string command = std::string(TRIPDESK_BIN_DIR) + "/samplecard '" + folder_ + "' --seconds " +
                                std::to_string(kSeconds) + " > /dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("samplecard failed: " + command);
    std::FILE* marker = std::fopen(complete.c_str(), "w");
    if (marker) std::fclose(marker);
}

const SampleCard& SampleCard::get() {
    static const SampleCard card;
    return card;
}

std::pair<std::string, std::string> SampleCard::pair(int n) const {
    for (const auto& recording : plan_.recordings) {
        if (recording.role != samplecard::ChannelRole::Front || recording.defect != samplecard::Defect::None ||
            recording.pairMissing || recording.kind != samplecard::RecordingKind::Continuous)
            continue;
        if (n-- == 0) return {path(recording.fileName), path(recording.pairedFileName)};
    }
    throw std::out_of_range("no such pair on the card");
}

std::string SampleCard::single(int n) const {
    for (const auto& recording : plan_.recordings)
        if (recording.role == samplecard::ChannelRole::Single && recording.defect == samplecard::Defect::None &&
            n-- == 0)
            return path(recording.fileName);
    throw std::out_of_range("no such one-channel recording on the card");
}

std::string SampleCard::withDefect(samplecard::Defect defect) const {
    for (const auto& recording : plan_.recordings)
        if (recording.role == samplecard::ChannelRole::Front && recording.defect == defect)
            return path(recording.fileName);
    throw std::out_of_range("no such defect on the card");
}

std::pair<std::string, std::string> SampleCard::frontWithoutRear() const {
    for (const auto& recording : plan_.recordings)
        if (recording.role == samplecard::ChannelRole::Front && recording.pairMissing)
            return {path(recording.fileName), path(recording.pairedFileName)};
    throw std::out_of_range("no front file without its rear on the card");
}

std::string ScratchFolder() {
    static const std::string folder = [] {
        const fs::path path = fs::path(TRIPDESK_TEST_WORK_DIR) / "scratch";
        fs::remove_all(path);
        fs::create_directories(path);
        return path.string();
    }();
    return folder;
}

} // namespace vexplayer::testing

#pragma once
// A folder into which nothing can be written, also when the test runs as root: the folder is
// made r-x, and while this lives the calling thread sets aside its power to override file
// permissions (root's CAP_DAC_OVERRIDE), which it takes back at the end. Header only.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>

namespace tripdesk::test {

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
        std::filesystem::create_directories(folder_);
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                                  std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                                                  std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        lowered[0].effective &= ~(1u << CAP_DAC_READ_SEARCH);
        lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~ReadOnlyFolder() {
        if (lowered_) syscall(SYS_capset, &header_, saved_);
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    const std::filesystem::path& path() const { return folder_; }

private:
    std::filesystem::path folder_;
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool lowered_ = false;
};

} // namespace tripdesk::test

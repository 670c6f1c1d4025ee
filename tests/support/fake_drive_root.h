#pragma once
// A written fake root for the drive list, pointed to by TRIPDESK_DRIVE_ROOT while it lives:
// mountinfo lines, sysfs disks with their partitions and links, udev data and by-label links.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "test_folders.h"

namespace tripdesk::test {

class FakeRoot {
public:
    // The folder is named after the running test as well: test programs share their work folder
    // and run side by side, also one case per process.
    explicit FakeRoot(const std::string& name) : root_(FreshFolder(TestScopedName(name))) {
        ::setenv("TRIPDESK_DRIVE_ROOT", root_.c_str(), 1);
    }
    ~FakeRoot() { ::unsetenv("TRIPDESK_DRIVE_ROOT"); }

    // A real folder to mount on; the path as mountinfo names it (blanks as "\040").
    std::string folder(const std::string& relative) const {
        std::filesystem::create_directories(root_ / relative);
        return (root_ / relative).string();
    }
    static std::string Escaped(std::string path) {
        for (std::size_t at = path.find(' '); at != std::string::npos; at = path.find(' ', at)) {
            path.replace(at, 1, "\\040");
        }
        return path;
    }

    void mount(const std::string& device, const std::string& root, const std::string& mountPoint,
               const std::string& fsType, const std::string& source) {
        mountinfo_ += std::to_string(nextId_++) + " 1 " + device + " " + root + " " + Escaped(mountPoint) +
                      " rw,relatime shared:1 - " + fsType + " " + source + " rw\n";
        write("proc/self/mountinfo", mountinfo_);
    }
    // Drops every mountinfo line whose mount point is this folder.
    void unmount(const std::string& mountPoint) {
        const std::string field = " " + Escaped(mountPoint) + " ";
        std::string kept;
        for (std::size_t start = 0; start < mountinfo_.size();) {
            const std::size_t end = mountinfo_.find('\n', start) + 1;
            const std::string entry = mountinfo_.substr(start, end - start);
            if (entry.find(field) == std::string::npos) kept += entry;
            start = end;
        }
        mountinfo_ = kept;
        write("proc/self/mountinfo", mountinfo_);
    }
    void line(const std::string& text) {
        mountinfo_ += text + "\n";
        write("proc/self/mountinfo", mountinfo_);
    }

    // A disk in sysfs with its removable flag and partitions, linked from sys/dev/block.
    void disk(const std::string& name, const std::string& number, const std::string& removable,
              const std::vector<std::pair<std::string, std::string>>& partitions = {},
              const std::string& deviceType = "") {
        const std::string folder = "sys/devices/pci0000:00/host/block/" + name;
        write(folder + "/removable", removable + "\n");
        if (!deviceType.empty()) write(folder + "/device/type", deviceType + "\n");
        link("sys/dev/block/" + number, "../../devices/pci0000:00/host/block/" + name);
        for (const auto& [part, partNumber] : partitions) {
            write(folder + "/" + part + "/partition", "1\n");
            link("sys/dev/block/" + partNumber, "../../devices/pci0000:00/host/block/" + name + "/" + part);
        }
    }

    void udev(const std::string& number, const std::string& text) { write("run/udev/data/b" + number, text); }
    void byLabel(const std::string& name, const std::string& device) {
        link("dev/disk/by-label/" + name, "../../" + device);
    }

private:
    static std::string TestScopedName(const std::string& name) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        return test ? std::string(test->test_suite_name()) + "." + test->name() + "-" + name : name;
    }

    void write(const std::string& relative, const std::string& text) const {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary | std::ios::trunc) << text;
    }
    void link(const std::string& relative, const std::string& target) const {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::filesystem::remove(root_ / relative);
        std::filesystem::create_symlink(target, root_ / relative);
    }

    std::filesystem::path root_;
    std::string mountinfo_;
    int nextId_ = 20;
};

} // namespace tripdesk::test

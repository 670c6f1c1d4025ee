#pragma once
// Clockfix's main window over a fake drive root: cards are folders named in a written
// mountinfo, message boxes are recorded with their captions.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "clockfix_dlg.h"
#include "clockfix_ids.h"
#include "fake_drive_root.h"
#include "platform/dialogs.h"

namespace clockfix::test {

struct ShownBox {
    std::string text;
    std::string caption;
};

class ClockfixWindow : public ::testing::Test {
protected:
    ClockfixWindow() {
        platform::SetMessageBoxHook([this](const platform::MessageBoxRequest& request) {
            boxes.push_back({request.text, request.caption});
            return platform::IDOK;
        });
        // The system's own disk, never offered.
        fake.disk("sda", "8:0", "0", {{"sda1", "8:1"}});
        fake.mount("8:1", "/", "/", "ext4", "/dev/sda1");
    }
    ~ClockfixWindow() override { platform::SetMessageBoxHook(nullptr); }

    // A removable card with this label mounted at a real folder; its path.
    std::string plugCard(const std::string& folder, const std::string& labelEnc) {
        const int n = cards_++;
        const std::string disk = "sd" + std::string(1, static_cast<char>('b' + n));
        const std::string part = "8:" + std::to_string(16 * (n + 1) + 1);
        fake.disk(disk, "8:" + std::to_string(16 * (n + 1)), "1", {{disk + "1", part}});
        fake.udev(part, "E:ID_FS_LABEL_ENC=" + labelEnc + "\n");
        const std::string mountPoint = fake.folder(folder);
        fake.mount(part, "/", mountPoint, "vfat", "/dev/" + disk + "1");
        return mountPoint;
    }

    static void WriteByte(const std::string& mountPoint, const std::string& name, const std::string& bytes) {
        std::filesystem::create_directories(mountPoint + "/setting");
        std::ofstream(mountPoint + "/setting/" + name, std::ios::binary) << bytes;
    }

    std::unique_ptr<CClockfixDlg> start() {
        auto dialog = std::make_unique<CClockfixDlg>();
        EXPECT_TRUE(dialog->Create());
        return dialog;
    }

    // Which button of each group (quality, sensitivity, sound, frame) is checked: 0..2, -1 none.
    static std::vector<int> CheckedLevels(const CClockfixDlg& dialog) {
        std::vector<int> levels;
        for (const auto& group : kValueGroups) {
            int checked = -1;
            for (int i = 0; i < 3; ++i)
                if (dialog.IsDlgButtonChecked(group[static_cast<std::size_t>(i)])) checked = checked == -1 ? i : 9;
            levels.push_back(checked);
        }
        return levels;
    }

    tripdesk::test::FakeRoot fake{"clockfix-root"};
    std::vector<ShownBox> boxes;

private:
    int cards_ = 0;
};

} // namespace clockfix::test

// The format service on real card images in a fake drive root: a full format judged by fsck.fat,
// fatlabel and the boot sector, its reports, the tool lookup, and every target it must refuse
// without writing a byte.
#include "platform/format_service.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fake_drive_root.h"
#include "fat_image.h"
#include "format_reports.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using tripdesk::test::FakeRoot;
using tripdesk::test::JudgeCardImage;
using tripdesk::test::MakeCardImage;
using tripdesk::test::ReadWhole;

constexpr std::uint64_t kMiB = 1u << 20;
const std::string kMarker = "TRIPDESK-MARKER-7f3a9c recorded clip index";

class FormatServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        // No UDisks2 for these tests, whatever the machine runs.
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/tripdesk-no-bus", 1);
    }
    void TearDown() override { ::unsetenv("DBUS_SYSTEM_BUS_ADDRESS"); }

    // A removable reader (sdc) whose volume is mounted from an image file.
    std::string mountImageCard(FakeRoot& fake, const fs::path& image) {
        fake.disk("sdc", "8:32", "1", {{"sdc1", "8:33"}});
        const std::string card = fake.folder("media/kim/CARD");
        fake.mount("8:33", "/", card, "vfat", image.string());
        return card;
    }

    static void Format(const std::string& root, const char* fileSystem = "FAT32", unsigned media = FMIFS_REMOVABLE,
                       bool quick = false, unsigned cluster = 0) {
        FormatReports::Fresh();
        FormatEx(root.c_str(), media, fileSystem, "KX-310T", quick, cluster, &FormatReports::Record);
    }
};

TEST_F(FormatServiceTest, AFullFormatLeavesAnEmptyFat32CardLabelledKx310t) {
    FakeRoot fake("full");
    const fs::path image = fake.folder("images") + "/card.img";
    ASSERT_TRUE(MakeCardImage(image, 64 * kMiB, 16, "OLDLABEL", kMarker));
    ASSERT_NE(ReadWhole(image).find(kMarker), std::string::npos);
    const std::string card = mountImageCard(fake, image);

    Format(card + "/");   // a root with its separator names the same volume

    const FormatReports& reports = FormatReports::Current();
    EXPECT_EQ(reports.doneFlags, std::vector<int>{1});
    EXPECT_TRUE(reports.doneWasLast);
    ASSERT_FALSE(reports.percents.empty());
    EXPECT_TRUE(reports.strictlyIncreasing());
    EXPECT_GT(reports.percents.size(), 10u) << "the zeroing reports as it goes";
    EXPECT_EQ(reports.percents.back(), 100u);
    EXPECT_TRUE(std::any_of(reports.outputs.begin(), reports.outputs.end(),
                            [](const std::string& line) { return line.find("mkfs.fat") != std::string::npos; }));

    const auto verdict = JudgeCardImage(image);
    EXPECT_TRUE(verdict.fsckClean);
    EXPECT_EQ(verdict.label, "KX-310T");
    EXPECT_EQ(verdict.fatKind, "FAT32   ");
    const std::string bytes = ReadWhole(image);
    EXPECT_EQ(bytes.size(), 64 * kMiB);
    EXPECT_EQ(bytes.find(kMarker), std::string::npos);
}

TEST_F(FormatServiceTest, AQuickFormatSkipsTheZeroingAndAStoppedOneFails) {
    FakeRoot fake("quick");
    const fs::path image = fake.folder("images") + "/card.img";
    ASSERT_TRUE(MakeCardImage(image, 64 * kMiB, 16, "OLDLABEL"));
    const std::string card = mountImageCard(fake, image);

    Format(card, "FAT32", FMIFS_REMOVABLE, true);
    EXPECT_EQ(FormatReports::Current().percents, std::vector<std::uint32_t>{100});
    EXPECT_EQ(FormatReports::Current().doneFlags, std::vector<int>{1});
    EXPECT_EQ(JudgeCardImage(image).fatKind, "FAT32   ");

    ASSERT_TRUE(MakeCardImage(image, 64 * kMiB, 16, "OLDLABEL"));
    FormatReports::Fresh().stopAt = 0;   // the first report
    FormatEx(card.c_str(), FMIFS_REMOVABLE, "FAT32", "KX-310T", false, 0, &FormatReports::Record);
    const FormatReports& stopped = FormatReports::Current();
    EXPECT_EQ(stopped.percents, std::vector<std::uint32_t>{0});
    EXPECT_TRUE(stopped.outputs.empty()) << "mkfs.fat never ran";
    EXPECT_EQ(stopped.doneFlags, std::vector<int>{0});
    EXPECT_TRUE(stopped.doneWasLast);
}

TEST_F(FormatServiceTest, AFailingMkfsEndsWithFailureAndNoFullBar) {
    FakeRoot fake("tiny");
    const fs::path image = fake.folder("images") + "/tiny.img";
    std::ofstream(image, std::ios::binary).close();
    fs::resize_file(image, 16 * 1024);   // too small for any FAT, even for root
    const std::string card = mountImageCard(fake, image);

    Format(card);

    const FormatReports& reports = FormatReports::Current();
    EXPECT_EQ(reports.doneFlags, std::vector<int>{0});
    EXPECT_TRUE(reports.doneWasLast);
    EXPECT_FALSE(reports.outputs.empty()) << "mkfs.fat says why";
    EXPECT_TRUE(std::find(reports.percents.begin(), reports.percents.end(), 100u) == reports.percents.end());
}

// Each refusal reports only "done, failed", and the bytes behind the volume stay as they were.
TEST_F(FormatServiceTest, RefusesEveryVolumeButARemovableCardOrImage) {
    FakeRoot fake("refusals");
    const std::string images = fake.folder("images");
    auto imageWithLabel = [&](const std::string& name) {
        const fs::path path = images + "/" + name + ".img";
        EXPECT_TRUE(MakeCardImage(path, 8 * kMiB, 12, "KEEPME", kMarker));
        return path;
    };
    const fs::path systemImage = imageWithLabel("system");
    const fs::path fixedNode = fake.folder("dev") + "/sdb1";
    const fs::path cardNode = fake.folder("dev") + "/sdc1";
    const fs::path ramNode = fake.folder("dev") + "/ram0";
    const fs::path cardImage = imageWithLabel("card");
    for (const fs::path& node : {fixedNode, cardNode, ramNode}) ASSERT_TRUE(MakeCardImage(node, 8 * kMiB, 12, "KEEPME", kMarker));

    fake.disk("sda", "8:0", "0", {{"sda1", "8:1"}, {"sda2", "8:2"}});
    fake.disk("sdb", "8:16", "0", {{"sdb1", "8:17"}});
    fake.disk("sdc", "8:32", "1", {{"sdc1", "8:33"}});
    fake.disk("ram0", "1:0", "0");
    fake.mount("8:2", "/", "/", "ext4", systemImage.string());                          // "/" itself
    const std::string boot = fake.folder("boot");
    fake.mount("8:1", "/", boot, "vfat", cardImage.string());                           // on the disk of "/"
    const std::string fixed = fake.folder("mnt/data");
    fake.mount("8:17", "/", fixed, "vfat", "/dev/sdb1");                                 // a fixed disk
    const std::string reader = fake.folder("media/reader");
    fake.mount("8:33", "/", reader, "vfat", "/dev/sdc1");                               // a removable disk
    const std::string ram = fake.folder("mnt/ram");
    fake.mount("1:0", "/", ram, "vfat", "/dev/ram0");                                   // a RAM disk
    const std::string alias = fake.folder("media/alias");
    fake.mount("8:33", "/", alias, "vfat", systemImage.string());                      // the image of "/"
    const std::string nothing = fake.folder("media/empty");                             // no mount at all
    const std::string card = fake.folder("media/card");
    fake.disk("sdd", "8:48", "1", {{"sdd1", "8:49"}});
    fake.mount("8:49", "/", card, "vfat", cardImage.string());

    std::vector<std::pair<fs::path, std::string>> before;
    for (const fs::path& path : {systemImage, cardImage, fixedNode, cardNode, ramNode}) before.emplace_back(path, ReadWhole(path));

    struct Case {
        std::string what;
        std::string root;
        const char* fileSystem;
        unsigned media;
        unsigned cluster;
    };
    const Case cases[] = {
        {"the volume at /", "/", "FAT32", FMIFS_REMOVABLE, 0},
        {"a volume on the disk of /", boot, "FAT32", FMIFS_REMOVABLE, 0},
        {"a fixed disk's volume", fixed, "FAT32", FMIFS_REMOVABLE, 0},
        {"a removable disk whose node is no block device, as root without UDisks2", reader, "FAT32", FMIFS_REMOVABLE, 0},
        {"a RAM disk", ram, "FAT32", FMIFS_REMOVABLE, 0},
        {"the image of / mounted again", alias, "FAT32", FMIFS_REMOVABLE, 0},
        {"a folder with nothing mounted", nothing, "FAT32", FMIFS_REMOVABLE, 0},
        {"another file system", card, "NTFS", FMIFS_REMOVABLE, 0},
        {"FAT16 asked for", card, "FAT", FMIFS_REMOVABLE, 0},
        {"fixed media", card, "FAT32", 12, 0},
        {"a cluster size no FAT has", card, "FAT32", FMIFS_REMOVABLE, 1000},
        {"a cluster size too large", card, "FAT32", FMIFS_REMOVABLE, 131072},
    };
    for (const Case& refused : cases) {
        Format(refused.root, refused.fileSystem, refused.media, false, refused.cluster);
        const FormatReports& reports = FormatReports::Current();
        EXPECT_EQ(reports.doneFlags, std::vector<int>{0}) << refused.what;
        EXPECT_TRUE(reports.percents.empty() && reports.outputs.empty()) << refused.what;
    }
    for (const auto& [path, bytes] : before) EXPECT_TRUE(ReadWhole(path) == bytes) << path << " was written";

    // The same image card is formatted once nothing stands against it.
    Format(card);
    EXPECT_EQ(FormatReports::Current().doneFlags, std::vector<int>{1});
    EXPECT_EQ(JudgeCardImage(cardImage).label, "KX-310T");
}

TEST_F(FormatServiceTest, FindsMkfsFatOnPathOrInTheSystemFoldersAndOnlyAnExecutableOne) {
    const fs::path folder = tripdesk::test::FreshFolder("tools");
    const fs::path plain = folder / "plain";
    const fs::path runnable = folder / "runnable";
    fs::create_directories(plain);
    fs::create_directories(runnable);
    std::ofstream(plain / "mkfs.fat") << "not a program\n";
    std::ofstream(runnable / "mkfs.fat") << "#!/bin/sh\n";
    fs::permissions(runnable / "mkfs.fat", fs::perms::owner_all);

    const std::string path = plain.string() + "::" + runnable.string();
    EXPECT_EQ(FindFormatTool(path, {"/usr/sbin"}), (runnable / "mkfs.fat").string());
    EXPECT_EQ(FindFormatTool("/usr/bin:/bin", {"/usr/sbin", "/sbin"}), "/usr/sbin/mkfs.fat")
        << "a desktop user's PATH lacks the system folders";
    EXPECT_EQ(FindFormatTool(plain.string(), {(folder / "missing").string()}), "");
    EXPECT_EQ(FindFormatTool("", {}), "");
}

TEST_F(FormatServiceTest, FindFormatExAsksTheHookWhenOneIsInstalled) {
    EXPECT_EQ(FindFormatEx(), &FormatEx) << "mkfs.fat is installed here";
    int asked = 0;
    SetFormatExLookupHook([&]() -> FormatExFunction {
        ++asked;
        return nullptr;
    });
    EXPECT_EQ(FindFormatEx(), nullptr);
    EXPECT_EQ(asked, 1);
    SetFormatExLookupHook(nullptr);
    EXPECT_EQ(FindFormatEx(), &FormatEx);
}

} // namespace
} // namespace platform

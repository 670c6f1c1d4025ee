// Clockfix's drive list over a written fake root: which volumes are offered, in which order and
// under which text, and which entry is recognised as the recorder's card.
#include "drivelist/drive_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_drive_root.h"

namespace drivelist {
namespace {

using tripdesk::test::FakeRoot;

TEST(EntryTextTest, CutsTheLabelToTenBytesWithoutSplittingACharacter) {
    EXPECT_EQ(EntryText("KX-310T", "/media/kim/KX-310T"), "(KX-310T) /media/kim/KX-310T");
    EXPECT_EQ(EntryText("Drive Recorder", "/media/a"), "(Drive Reco) /media/a");
    EXPECT_EQ(EntryText("0123456789", "/m"), "(0123456789) /m");
    EXPECT_EQ(EntryText("", "/media/none"), "() /media/none");
    // Three-byte characters: three fit into ten bytes, the fourth would end at byte 12.
    EXPECT_EQ(EntryText("블랙박스카드", "/m"), "(블랙박) /m");
    EXPECT_EQ(EntryText("ab블랙박스", "/m"), "(ab블랙) /m");
    EXPECT_EQ(EntryText("a블랙박스", "/m"), "(a블랙박) /m");   // exactly ten bytes
}

TEST(DriveTypeFilterTest, OffersRemovableRamAndRootlessVolumesOnly) {
    EXPECT_TRUE(IsListedDriveType(2));
    EXPECT_TRUE(IsListedDriveType(6));
    EXPECT_TRUE(IsListedDriveType(1));
    for (unsigned type : {0u, 3u, 4u, 5u, 7u}) EXPECT_FALSE(IsListedDriveType(type)) << type;
}

class DriveListTest : public ::testing::Test {
protected:
    // A removable disk with one partition mounted at the folder, labelled through udev.
    std::string card(const std::string& folder, const std::string& labelEnc) {
        const std::string disk = "sd" + std::string(1, static_cast<char>('b' + disks_));
        const std::string major = "8:" + std::to_string(16 * disks_);
        const std::string part = "8:" + std::to_string(16 * disks_ + 1);
        ++disks_;
        fake_.disk(disk, major, "1", {{disk + "1", part}});
        const std::string mountPoint = fake_.folder(folder);
        fake_.mount(part, "/", mountPoint, "vfat", "/dev/" + disk + "1");
        if (!labelEnc.empty()) fake_.udev(part, "E:ID_FS_LABEL_ENC=" + labelEnc + "\n");
        return mountPoint;
    }

    FakeRoot fake_{"drivelist"};
    int disks_ = 0;
};

TEST_F(DriveListTest, OffersRemovableVolumesInMountOrderAndLeavesTheRestOut) {
    fake_.disk("sda", "8:240", "0", {{"sda1", "8:241"}, {"sda2", "8:242"}});
    fake_.mount("8:241", "/", "/", "ext4", "/dev/sda1");
    fake_.mount("8:242", "/", fake_.folder("home"), "ext4", "/dev/sda2");   // the disk of "/"
    fake_.disk("nvme0n1", "259:0", "0", {{"nvme0n1p1", "259:1"}});
    fake_.mount("259:1", "/", fake_.folder("mnt/data"), "ext4", "/dev/nvme0n1p1");   // fixed
    fake_.disk("sr0", "11:0", "1", {}, "5");
    fake_.mount("11:0", "/", fake_.folder("media/cd"), "iso9660", "/dev/sr0");   // CD, marked removable
    fake_.mount("0:40", "/", fake_.folder("run/user/1000"), "tmpfs", "tmpfs");
    fake_.mount("0:41", "/", fake_.folder("net/share"), "cifs", "//server/share");

    const std::string second = card("media/kim/SECOND CARD", "SECOND\\x20CARD");
    const std::string first = card("media/kim/KX-310T", "KX-310T");
    fake_.mount("8:17", "/DCIM", fake_.folder("srv/dcim"), "vfat", "/dev/sdb1");   // bind mount
    fake_.disk("zram0", "252:0", "0");
    const std::string zram = fake_.folder("mnt/zram");
    fake_.mount("252:0", "/", zram, "ext2", "/dev/zram0");

    const DriveList list = BuildDriveList(kStartLabel);
    EXPECT_EQ(list.mountPoints, (std::vector<std::string>{second, first, zram}));
    EXPECT_EQ(list.texts, (std::vector<std::string>{"(SECOND CAR) " + second, "(KX-310T) " + first,
                                                    "() " + zram}));
    EXPECT_EQ(list.recognised, 1);
}

TEST_F(DriveListTest, ShowsDecodedMountPointsAndCutLabels) {
    const std::string recorder = card("media/kim/Drive Recorder", "Drive\\x20Recorder");
    const std::string longLabel = card("media/long", "ABCDEFGHIJKLMN");
    const std::string korean = card("media/korean", "\\xeb\\xb8\\x94\\xeb\\x9e\\x99\\xeb\\xb0\\x95\\xec\\x8a\\xa4");

    const DriveList list = BuildDriveList(kDeviceChangeLabel);
    ASSERT_EQ(list.texts.size(), 3u);
    EXPECT_EQ(list.texts[0], "(Drive Reco) " + recorder);
    EXPECT_NE(recorder.find("Drive Recorder"), std::string::npos);   // "\040" decoded
    EXPECT_EQ(list.texts[1], "(ABCDEFGHIJ) " + longLabel);
    EXPECT_EQ(list.texts[2], "(블랙박) " + korean);
    EXPECT_EQ(list.recognised, 0);   // the whole label, not the shown ten bytes
}

TEST_F(DriveListTest, RecognisesTheWholeLabelCaseSensitivelyFirstMatchWins) {
    card("media/a", "kx-310t");
    card("media/b", "KX-310T2");
    card("media/c", "KX-310");
    card("media/d", "KX-310T");
    card("media/e", "KX-310T");
    card("media/f", "Drive\\x20Recorder");

    EXPECT_EQ(BuildDriveList(kStartLabel).recognised, 3);
    EXPECT_EQ(BuildDriveList(kDeviceChangeLabel).recognised, 5);
    EXPECT_EQ(BuildDriveList("drive recorder").recognised, -1);
}

TEST_F(DriveListTest, EachRecognitionLabelOnlyFindsItsOwnCard) {
    card("media/recorder", "Drive\\x20Recorder");
    EXPECT_EQ(BuildDriveList(kStartLabel).recognised, -1);
    EXPECT_EQ(BuildDriveList(kDeviceChangeLabel).recognised, 0);

    const std::string formatted = card("media/formatted", "KX-310T");
    EXPECT_EQ(BuildDriveList(kStartLabel).recognised, 1);
    fake_.unmount(formatted);
    const DriveList after = BuildDriveList(kStartLabel);
    EXPECT_EQ(after.recognised, -1);
    EXPECT_EQ(after.mountPoints.size(), 1u);
}

TEST_F(DriveListTest, ListsTwentyFourVolumesAtMost) {
    for (int i = 0; i < 25; ++i) card("media/card" + std::to_string(i), i == 24 ? "KX-310T" : "CARD");
    const DriveList list = BuildDriveList(kStartLabel);
    EXPECT_EQ(list.mountPoints.size(), 24u);
    EXPECT_EQ(list.recognised, -1);   // the 25th is never seen
}

TEST_F(DriveListTest, NoVolumeGivesAnEmptyList) {
    const DriveList list = BuildDriveList(kStartLabel);
    EXPECT_TRUE(list.mountPoints.empty());
    EXPECT_TRUE(list.texts.empty());
    EXPECT_EQ(list.recognised, -1);
}

} // namespace
} // namespace drivelist

// The drive list over a written fake root: mountinfo lines, sysfs folders and links, udev data and
// by-label links, as a system with a recorder card, a CD, network and memory file systems has.
#include "platform/drives.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fake_drive_root.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using tripdesk::test::FakeRoot;

TEST(DrivesTest, ListsBlockVolumesInMountOrderWithTheirTypes) {
    FakeRoot fake("desktop");
    fake.disk("sda", "8:0", "0", {{"sda1", "8:1"}, {"sda2", "8:2"}});
    fake.disk("sdb", "8:16", "0", {{"sdb1", "8:17"}});
    fake.disk("sdc", "8:32", "1", {{"sdc1", "8:33"}});
    fake.disk("sr0", "11:0", "1", {}, "5");
    fake.disk("mmcblk0", "179:0", "0", {{"mmcblk0p1", "179:1"}}, "SD");
    fake.disk("zram0", "252:0", "0");

    const std::string data = fake.folder("mnt/data");
    const std::string card = fake.folder("media/kim/KX-310T");
    const std::string cd = fake.folder("media/cd");
    const std::string recorder = fake.folder("media/kim/Drive Recorder");
    const std::string zram = fake.folder("mnt/zram");
    const std::string tmp = fake.folder("run/user/1000");
    const std::string share = fake.folder("net/share");
    const std::string bindPart = fake.folder("srv/dcim");
    const std::string bindWhole = fake.folder("srv/card");

    fake.disk("sdd", "8:48", "1", {{"sdd1", "8:49"}});
    const std::string bindOnly = fake.folder("srv/share");
    const std::string stick = fake.folder("media/stick");

    fake.mount("8:49", "/home/kim/share", bindOnly, "ext4", "/dev/sdd1");   // its root mounted elsewhere
    fake.mount("8:2", "/", "/", "ext4", "/dev/sda2");
    fake.mount("8:1", "/", fake.folder("boot/efi"), "vfat", "/dev/sda1");   // on the disk of "/"
    fake.mount("0:50", "/", tmp, "tmpfs", "tmpfs");
    fake.mount("8:17", "/", data, "ext4", "/dev/sdb1");
    fake.mount("8:33", "/", card, "vfat", "/dev/sdc1");
    fake.mount("0:60", "/", share, "nfs4", "server:/export");
    fake.mount("8:33", "/DCIM", bindPart, "vfat", "/dev/sdc1");
    fake.mount("8:33", "/", bindWhole, "vfat", "/dev/sdc1");
    fake.mount("8:49", "/", stick, "ext4", "/dev/sdd1");
    fake.line("99 1 8:49");                       // cut short
    fake.line("98 1 8:49 / /nowhere rw shared:1");   // no separator
    fake.mount("11:0", "/", cd, "iso9660", "/dev/sr0");
    fake.mount("179:1", "/", recorder, "vfat", "/dev/mmcblk0p1");
    fake.mount("252:0", "/", zram, "ext2", "/dev/zram0");

    EXPECT_EQ(MountedVolumes(), (std::vector<std::string>{data, card, stick, cd, recorder, zram}));

    EXPECT_EQ(GetDriveType(data), DRIVE_FIXED);
    EXPECT_EQ(GetDriveType(card), DRIVE_REMOVABLE);
    EXPECT_EQ(GetDriveType(cd), DRIVE_CDROM);          // marked removable, still a CD
    EXPECT_EQ(GetDriveType(recorder), DRIVE_REMOVABLE); // an SD card whose reader says "not removable"
    EXPECT_EQ(GetDriveType(zram), DRIVE_RAMDISK);
    EXPECT_EQ(GetDriveType(bindOnly), DRIVE_REMOVABLE);   // a type, though never listed
    EXPECT_EQ(GetDriveType(tmp), DRIVE_UNKNOWN);
    EXPECT_EQ(GetDriveType(share), DRIVE_REMOTE);
    EXPECT_EQ(GetDriveType("/"), DRIVE_FIXED);
    EXPECT_EQ(GetDriveType(fake.folder("not/mounted")), DRIVE_UNKNOWN);
}

TEST(DrivesTest, AMemoryCardPartitionTakesItsTypeFromTheDisk) {
    FakeRoot fake("partitions");
    fake.disk("sdb", "8:16", "1", {{"sdb1", "8:17"}, {"sdb2", "8:18"}});
    fake.disk("mmcblk1", "179:8", "0", {{"mmcblk1p1", "179:9"}}, "MMC");   // soldered eMMC
    const std::string first = fake.folder("media/one");
    const std::string second = fake.folder("media/two");
    const std::string emmc = fake.folder("media/emmc");
    fake.mount("8:18", "/", second, "vfat", "/dev/sdb2");
    fake.mount("8:17", "/", first, "vfat", "/dev/sdb1");
    fake.mount("179:9", "/", emmc, "ext4", "/dev/mmcblk1p1");

    EXPECT_EQ(MountedVolumes(), (std::vector<std::string>{second, first, emmc}));
    EXPECT_EQ(GetDriveType(first), DRIVE_REMOVABLE);
    EXPECT_EQ(GetDriveType(second), DRIVE_REMOVABLE);
    EXPECT_EQ(GetDriveType(emmc), DRIVE_FIXED);
}

TEST(DrivesTest, ASystemStartedFromAStickHidesTheWholeStick) {
    FakeRoot fake("live-stick");
    fake.disk("sdb", "8:16", "1", {{"sdb1", "8:17"}, {"sdb2", "8:18"}});
    fake.disk("sdc", "8:32", "1", {{"sdc1", "8:33"}});
    const std::string stickData = fake.folder("media/stick-data");
    const std::string card = fake.folder("media/card");
    fake.mount("8:17", "/", "/", "ext4", "/dev/sdb1");
    fake.mount("8:18", "/", stickData, "vfat", "/dev/sdb2");
    fake.mount("8:33", "/", card, "vfat", "/dev/sdc1");

    EXPECT_EQ(MountedVolumes(), std::vector<std::string>{card});
}

TEST(DrivesTest, ListsAtMostTwentyFourVolumes) {
    FakeRoot fake("many");
    std::vector<std::string> expected;
    for (int i = 0; i < 25; ++i) {
        const std::string number = "8:" + std::to_string(16 * i);
        fake.disk("sd" + std::string(1, static_cast<char>('b' + i)), number, "1");
        const std::string folder = fake.folder("media/card" + std::to_string(i));
        fake.mount(number, "/", folder, "vfat", "/dev/sdx");
        if (i < 24) expected.push_back(folder);
    }
    EXPECT_EQ(MountedVolumes(), expected);
}

TEST(DrivesTest, LabelsComeFromUdevThenFromByLabelLinks) {
    FakeRoot fake("labels");
    fake.disk("sdb", "8:16", "1", {{"sdb1", "8:17"}});
    fake.disk("sdc", "8:32", "1", {{"sdc1", "8:33"}});
    fake.disk("sdd", "8:48", "1", {{"sdd1", "8:49"}});
    fake.disk("sde", "8:64", "1", {{"sde1", "8:65"}});
    fake.disk("sdf", "8:80", "1", {{"sdf1", "8:81"}});
    const std::string recorder = fake.folder("media/kim/Drive Recorder");
    const std::string longLabel = fake.folder("media/long");
    const std::string korean = fake.folder("media/korean");
    const std::string none = fake.folder("media/none");
    const std::string backslash = fake.folder("media/backslash");
    fake.mount("8:17", "/", recorder, "vfat", "/dev/sdb1");
    fake.mount("8:33", "/", longLabel, "vfat", "/dev/sdc1");
    fake.mount("8:49", "/", korean, "exfat", "/dev/sdd1");
    fake.mount("8:65", "/", none, "vfat", "/dev/sde1");
    fake.mount("8:81", "/", backslash, "vfat", "/dev/sdf1");

    fake.udev("8:17", "S:disk/by-uuid/1234-ABCD\nE:ID_FS_LABEL=Drive_Recorder\nE:ID_FS_LABEL_ENC=Drive\\x20Recorder\n");
    fake.udev("8:33", "E:ID_FS_TYPE=vfat\n");                   // no label there: by-label decides
    fake.byLabel("CARD\\x20FOURTEEN", "sdc1");                   // 14 characters, decoded
    fake.byLabel("OTHER", "sdb1");
    fake.byLabel("\xEB\x85\xB9\xED\x99\x94\xEC\xB9\xB4\xEB\x93\x9C", "sdd1");   // 녹화카드
    fake.udev("8:81", "E:ID_FS_LABEL_ENC=A\\B\\x5cC\\x4\n");

    EXPECT_EQ(VolumeLabel(recorder), "Drive Recorder");
    EXPECT_EQ(VolumeLabel(longLabel), "CARD FOURTEEN");
    EXPECT_EQ(VolumeLabel(korean), "\xEB\x85\xB9\xED\x99\x94\xEC\xB9\xB4\xEB\x93\x9C");
    EXPECT_EQ(VolumeLabel(none), "");
    EXPECT_EQ(VolumeLabel(backslash), "A\\B\\C\\x4");   // only whole escapes are decoded
    EXPECT_EQ(VolumeLabel(fake.folder("not/mounted")), "");
    EXPECT_EQ(MountedVolumes().front(), recorder);       // "\040" in mountinfo is a blank
}

TEST(DrivesTest, TotalSizeIsTheVolumeSizeOrZero) {
    const fs::space_info space = fs::space(tripdesk::test::ScratchFolder());
    EXPECT_EQ(TotalSize(tripdesk::test::ScratchFolder().string()), space.capacity);
    EXPECT_EQ(TotalSize((tripdesk::test::ScratchFolder() / "vanished").string()), 0u);
}

TEST(DrivesTest, VolumeAtNamesTheDeviceItsSourceAndItsNodeBelowTheRoot) {
    FakeRoot fake("volume-at");
    fake.disk("sda", "8:0", "0", {{"sda1", "8:1"}, {"sda2", "8:2"}});
    fake.disk("sdc", "8:32", "1", {{"sdc1", "8:33"}});
    const std::string boot = fake.folder("boot");
    const std::string card = fake.folder("media/my card");
    const std::string share = fake.folder("net/share");
    fake.mount("8:2", "/", "/", "ext4", "/dev/sda2");
    fake.mount("8:1", "/", boot, "vfat", "/dev/sda1");
    fake.mount("8:33", "/", card, "vfat", "/images/old\\040card.img");
    fake.mount("0:60", "/", share, "nfs4", "server:/export");
    fake.line("90 1 8:33 / " + FakeRoot::Escaped(fake.folder("media/nosource")) + " rw shared:1 - vfat");

    const auto cardVolume = VolumeAt(card);
    ASSERT_TRUE(cardVolume.has_value());
    EXPECT_EQ(cardVolume->major, 8u);
    EXPECT_EQ(cardVolume->minor, 33u);
    EXPECT_EQ(cardVolume->fsType, "vfat");
    EXPECT_EQ(cardVolume->source, "/images/old card.img");
    EXPECT_EQ(cardVolume->deviceNode, fake.folder("dev") + "/sdc1");
    EXPECT_FALSE(cardVolume->onSystemDisk);

    EXPECT_TRUE(VolumeAt("/")->onSystemDisk);
    EXPECT_TRUE(VolumeAt(boot)->onSystemDisk) << "another partition of the disk of /";
    const auto network = VolumeAt(share);
    ASSERT_TRUE(network.has_value());
    EXPECT_EQ(network->deviceNode, "");
    EXPECT_EQ(network->source, "server:/export");
    EXPECT_EQ(VolumeAt(fake.folder("media/nosource"))->source, "") << "a line without a source still counts";
    EXPECT_FALSE(VolumeAt(fake.folder("not/mounted")).has_value());
}

} // namespace
} // namespace platform

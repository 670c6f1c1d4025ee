// The format service's UDisks2 path against a stand-in daemon on a private bus: the calls in
// their order and with their options, the job's progress relayed, and the result read back from
// the device, as the daemon reports it.
#include "platform/format_service.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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

// A dbus-daemon of our own, its address as the system bus's, and the stand-in daemon on it.
class PrivateSystemBus {
public:
    explicit PrivateSystemBus(const fs::path& folder) : folder_(folder) {
        // A socket path must be short: its own folder in /tmp.
        std::string socketFolder = (fs::temp_directory_path() / "tdbus-XXXXXX").string();
        if (::mkdtemp(socketFolder.data()) == nullptr) return;
        socketFolder_ = socketFolder;
        const fs::path config = folder / "bus.conf";
        std::ofstream(config) << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                                 " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                                 "<busconfig><type>system</type>\n"
                                 "<listen>unix:path=" << (socketFolder_ / "bus").string() << "</listen>\n"
                                 "<auth>EXTERNAL</auth>\n"
                                 "<policy context=\"default\"><allow user=\"*\"/><allow own=\"*\"/>"
                                 "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/></policy>\n"
                                 "</busconfig>\n";
        daemon_.start("dbus-daemon", {"--nofork", "--print-address", "--config-file=" + QString::fromStdString(config.string())});
        if (!daemon_.waitForStarted() || !daemon_.waitForReadyRead(10000)) return;
        address_ = daemon_.readLine().trimmed().toStdString();
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
    }
    ~PrivateSystemBus() {
        for (QProcess* process : {&standIn_, &daemon_}) {
            process->terminate();
            if (!process->waitForFinished(5000)) process->kill();
            process->waitForFinished();
        }
        ::unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
        std::error_code error;
        if (!socketFolder_.empty()) fs::remove_all(socketFolder_, error);
    }

    bool started() const { return !address_.empty(); }

    bool startStandIn(const std::string& device, const std::string& version, bool refuseUnmount = false) {
        QStringList arguments{"--device", QString::fromStdString(device), "--version", QString::fromStdString(version),
                              "--log", QString::fromStdString(log().string())};
        if (refuseUnmount) arguments << "--refuse-unmount";
        standIn_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        standIn_.start(QString(TRIPDESK_BIN_DIR) + "/udisks_standin", arguments);
        return standIn_.waitForStarted() && standIn_.waitForReadyRead(10000) && standIn_.readLine().trimmed() == "ready";
    }

    fs::path log() const { return folder_ / "calls.log"; }
    std::vector<std::string> calls() const {
        std::vector<std::string> lines;
        std::istringstream text(ReadWhole(log()));
        for (std::string line; std::getline(text, line);) {
            if (!line.starts_with("Progress ")) lines.push_back(line);
        }
        return lines;
    }
    // The valid job progress the stand-in published, as the whole percents shown before the
    // file system is made (at most 99).
    std::set<std::uint32_t> published() const {
        std::set<std::uint32_t> percents;
        std::istringstream text(ReadWhole(log()));
        for (std::string line; std::getline(text, line);) {
            if (line.starts_with("Progress ")) percents.insert(std::min(99u, static_cast<std::uint32_t>(std::stod(line.substr(9)) * 100 + 1e-9)));
        }
        return percents;
    }

private:
    fs::path folder_;
    fs::path socketFolder_;
    QProcess daemon_;
    QProcess standIn_;
    std::string address_;
};

class FormatUdisksTest : public ::testing::Test {
protected:
    // A removable reader's volume whose device node, below the fake root, is the card image the
    // stand-in formats.
    void SetUp() override {
        fake_ = std::make_unique<FakeRoot>(::testing::UnitTest::GetInstance()->current_test_info()->name());
        node_ = fake_->folder("dev") + "/sdc1";
        fake_->disk("sdc", "8:32", "1", {{"sdc1", "8:33"}});
        card_ = fake_->folder("media/kim/OLDLABEL");
        fake_->mount("8:33", "/", card_, "vfat", "/dev/sdc1");
        bus_ = std::make_unique<PrivateSystemBus>(fs::path(fake_->folder("bus")));
        ASSERT_TRUE(bus_->started()) << "dbus-daemon did not start";
    }
    void TearDown() override {
        bus_.reset();
        fake_.reset();
    }

    // On a thread of its own, as Clockfix's worker calls it.
    void format() {
        FormatReports::Fresh();
        std::thread worker([this] { FormatEx(card_.c_str(), FMIFS_REMOVABLE, "FAT32", "KX-310T", false, 0, &FormatReports::Record); });
        worker.join();
    }

    std::string resolved() const { return "ResolveDevice " + node_; }

    std::unique_ptr<FakeRoot> fake_;
    std::unique_ptr<PrivateSystemBus> bus_;
    std::string node_;
    std::string card_;
};

TEST_F(FormatUdisksTest, Version210FormatsWithMkfsArgumentsAndRelaysTheEraseProgress) {
    ASSERT_TRUE(MakeCardImage(node_, 64 * kMiB, 16, "OLDLABEL", "marker of an old clip"));
    ASSERT_TRUE(bus_->startStandIn(node_, "2.10.1"));
    ASSERT_EQ(FindFormatEx(), &FormatEx);

    format();

    EXPECT_EQ(bus_->calls(), (std::vector<std::string>{resolved(), "Unmount",
                                                       "Format vfat label=KX-310T erase=zero mkfs-args=-F 32", "Mount"}));
    const FormatReports& reports = FormatReports::Current();
    EXPECT_EQ(reports.doneFlags, std::vector<int>{1});
    EXPECT_TRUE(reports.doneWasLast);
    EXPECT_TRUE(reports.strictlyIncreasing());
    ASSERT_GE(reports.percents.size(), 2u) << "some erase progress and the final 100";
    EXPECT_EQ(reports.percents.back(), 100u);
    const std::set<std::uint32_t> published = bus_->published();
    for (std::size_t i = 0; i + 1 < reports.percents.size(); ++i) {
        EXPECT_TRUE(published.count(reports.percents[i]) == 1) << reports.percents[i] << " was never published as valid";
    }
    EXPECT_TRUE(std::find(reports.percents.begin(), reports.percents.end(), 95u) == reports.percents.end())
        << "the mkfs job's progress is not valid";

    const auto verdict = JudgeCardImage(node_);
    EXPECT_TRUE(verdict.fsckClean);
    EXPECT_EQ(verdict.label, "KX-310T");
    EXPECT_EQ(verdict.fatKind, "FAT32   ");
    EXPECT_EQ(ReadWhole(node_).find("marker of an old clip"), std::string::npos);
}

TEST_F(FormatUdisksTest, BeforeVersion210OnlyALargeCardComesOutFat32) {
    ASSERT_TRUE(MakeCardImage(node_, 64 * kMiB, 16, "OLDLABEL"));
    ASSERT_TRUE(bus_->startStandIn(node_, "2.9.4"));

    format();

    EXPECT_EQ(bus_->calls(), (std::vector<std::string>{resolved(), "Unmount",
                                                       "Format vfat label=KX-310T erase=zero mkfs-args=", "Mount"}));
    EXPECT_EQ(ReadWhole(node_).substr(54, 8), "FAT16   ") << "mkfs.fat's own choice below 512 MiB";
    EXPECT_EQ(FormatReports::Current().doneFlags, std::vector<int>{0});
    EXPECT_TRUE(FormatReports::Current().doneWasLast);

    // 600 MiB, sparse: mkfs.fat chooses FAT32 by itself.
    std::filesystem::remove(node_);
    std::ofstream(node_, std::ios::binary).close();
    std::filesystem::resize_file(node_, 600 * kMiB);
    format();
    EXPECT_EQ(FormatReports::Current().doneFlags, std::vector<int>{1});
    const auto verdict = JudgeCardImage(node_);
    EXPECT_TRUE(verdict.fsckClean);
    EXPECT_EQ(verdict.label, "KX-310T");
    EXPECT_EQ(verdict.fatKind, "FAT32   ");
}

TEST_F(FormatUdisksTest, ARefusedUnmountFormatsNothing) {
    ASSERT_TRUE(MakeCardImage(node_, 64 * kMiB, 16, "OLDLABEL", "marker of an old clip"));
    const std::string before = ReadWhole(node_);
    ASSERT_TRUE(bus_->startStandIn(node_, "2.10.1", true));

    format();

    EXPECT_EQ(bus_->calls(), (std::vector<std::string>{resolved(), "Unmount"}));
    EXPECT_EQ(FormatReports::Current().doneFlags, std::vector<int>{0});
    EXPECT_TRUE(FormatReports::Current().percents.empty());
    EXPECT_TRUE(ReadWhole(node_) == before);
}

TEST_F(FormatUdisksTest, ADeviceTheDaemonDoesNotKnowIsNotFormatted) {
    ASSERT_TRUE(MakeCardImage(node_, 8 * kMiB, 12, "OLDLABEL"));
    const std::string before = ReadWhole(node_);
    ASSERT_TRUE(bus_->startStandIn(node_ + ".other", "2.10.1"));

    format();

    EXPECT_EQ(bus_->calls(), std::vector<std::string>{resolved()});
    EXPECT_EQ(FormatReports::Current().doneFlags, std::vector<int>{0});
    EXPECT_TRUE(ReadWhole(node_) == before);
}

} // namespace
} // namespace platform

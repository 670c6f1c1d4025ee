// The exchange over the system's real libusb 0.1, which reads its device tree from the folder
// named by USB_DEVFS_PATH. The library keeps that folder in a static once it found a usable
// one, so each case runs in its own child process.

#include "usbconfig/usb_transport.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "resources/resources.h"
#include "exchange_test_support.h"

namespace usbconfig {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

struct ChildRun {
    std::string trace;        // what the exchange printed
    std::string report;       // how it ended, the boxes and whether the record changed
};

// Runs one exchange of a distinct record in a child process with USB_DEVFS_PATH at tree.
ChildRun ExchangeInChild(const fs::path& folder, const fs::path& tree) {
    const fs::path traceFile = folder / "trace.txt";
    const fs::path reportFile = folder / "report.txt";
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("USB_DEVFS_PATH", tree.c_str(), 1);
        const int out = ::open(traceFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        testing::BoxRecorder recorder;
        DeviceConfig record;
        record.channels = 2;
        record.year = 2011;
        const DeviceConfig sent = record;
        const ExchangeResult result = UsbTransport().Exchange(record);
        std::string report = "end " + std::to_string(static_cast<int>(result.end)) + "\n";
        for (const platform::MessageBoxRequest& box : recorder.boxes)
            report += "box [" + box.text + "] [" + box.caption + "]\n";
        report += record == sent ? "record unchanged\n" : "record changed\n";
        WriteFile(reportFile, report);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return {ReadFile(traceFile), ReadFile(reportFile)};
}

std::string DeviceDescriptor(std::uint8_t vendorLow, std::uint8_t vendorHigh, std::uint8_t productLow,
                             std::uint8_t productHigh) {
    return std::string{18, 1, 0x00, 0x02, 0, 0, 0, 64, static_cast<char>(vendorLow),
                       static_cast<char>(vendorHigh), static_cast<char>(productLow),
                       static_cast<char>(productHigh), 0x00, 0x01, 0, 0, 0, 1};
}

// One configuration with no interfaces: enough for the library's scan.
const std::string kConfigurationDescriptor{9, 2, 9, 0, 0, 1, 0, static_cast<char>(0x80), 50};

std::string ExpectedReport(ExchangeEnd end, const std::string& boxes) {
    return "end " + std::to_string(static_cast<int>(end)) + "\n" + boxes + "record unchanged\n";
}

TEST(UsbTransportReal, EmptyDeviceTreeFindsNoRecorder) {
    const fs::path folder = testing::FreshTestFolder();
    fs::create_directories(folder / "tree");
    const ChildRun run = ExchangeInChild(folder, folder / "tree");
    EXPECT_EQ(run.trace, "error: device not found!\n");
    EXPECT_EQ(run.report,
              ExpectedReport(ExchangeEnd::DeviceNotFound,
                             "box [Device not found.\n] [" +
                                 std::string(resources::String(resources::kAppTitleString)) + "]\n"));
}

TEST(UsbTransportReal, MadeUpRecorderIsFoundOpenedAndRefusesTheConfiguration) {
    const fs::path folder = testing::FreshTestFolder();
    WriteFile(folder / "tree" / "001" / "002",
              DeviceDescriptor(0xFA, 0x09, 0x11, 0x67) + kConfigurationDescriptor);
    const ChildRun run = ExchangeInChild(folder, folder / "tree");
    // A plain file is opened like a device node, but the configuration request is an ioctl.
    EXPECT_EQ(run.trace, "error: setting config 1 failed\n");
    EXPECT_EQ(run.report, ExpectedReport(ExchangeEnd::ConfigurationFailed, ""));
}

TEST(UsbTransportReal, DeviceWithOtherIdsIsNotTheRecorder) {
    const fs::path folder = testing::FreshTestFolder();
    WriteFile(folder / "tree" / "001" / "002",
              DeviceDescriptor(0xFA, 0x09, 0x12, 0x67) + kConfigurationDescriptor);
    WriteFile(folder / "tree" / "002" / "003",
              DeviceDescriptor(0x11, 0x67, 0xFA, 0x09) + kConfigurationDescriptor);
    const ChildRun run = ExchangeInChild(folder, folder / "tree");
    EXPECT_EQ(run.trace, "error: device not found!\n");
    EXPECT_EQ(run.report.substr(0, 6), "end 0\n");
    EXPECT_NE(run.report.find("box [Device not found.\n]"), std::string::npos);
}

} // namespace
} // namespace usbconfig

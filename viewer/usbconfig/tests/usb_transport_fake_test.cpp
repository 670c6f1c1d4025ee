// The exchange against the libusb 0.1 stand-in: every step's arguments, the bytes written, and
// each failing step, which no real device here can show.

#include "usbconfig/usb_transport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "exchange_test_support.h"

namespace usbconfig {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

std::string Hex(const DeviceConfig::Bytes& bytes) {
    std::string text;
    char pair[3];
    for (std::uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += pair;
    }
    return text;
}

DeviceConfig::Bytes Pattern(std::uint8_t seed) {
    DeviceConfig::Bytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 3);
    bytes[163] = 0x3F;   // an ordinary float at 160
    return bytes;
}

class UsbTransportFake : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = testing::FreshTestFolder();
        ::setenv("USBFAKE_SCRIPT", (folder_ / "script").c_str(), 1);
        ::setenv("USBFAKE_LOG", (folder_ / "log").c_str(), 1);
        answer_ = Pattern(0x40);
        WriteFile(folder_ / "answer", std::string(answer_.begin(), answer_.end()));
        sentBytes_ = Pattern(0x01);
    }
    void TearDown() override {
        ::unsetenv("USBFAKE_SCRIPT");
        ::unsetenv("USBFAKE_LOG");
    }

    // Runs one exchange of the sent record under script; the record afterwards in record_.
    ExchangeResult Run(const std::string& script, const std::string& library = "libusbfake-0.1.so") {
        WriteFile(folder_ / "script", script);
        record_ = DeviceConfig::fromBytes(sentBytes_);
        ::testing::internal::CaptureStdout();
        const ExchangeResult result = UsbTransport(library).Exchange(record_);
        trace_ = ::testing::internal::GetCapturedStdout();
        return result;
    }

    std::string Log() const { return ReadFile(folder_ / "log"); }
    std::string AnswerLine() const { return "answer " + (folder_ / "answer").string() + "\n"; }
    static std::string Opening(const std::string& device) {
        return "usb_init\nusb_find_busses\nusb_find_devices\nusb_get_busses\nusb_open " + device + "\n";
    }
    std::string WriteLine(const std::string& device) const {
        return "usb_bulk_write " + device + " 3 336 5000 " + Hex(sentBytes_) + "\n";
    }
    static std::string ReadAndEnd(const std::string& device) {
        return "usb_bulk_read " + device + " 130 336 5000\nusb_release_interface " + device +
               " 0\nusb_close " + device + "\n";
    }
    static std::string Claimed(const std::string& device) {
        return "usb_set_configuration " + device + " 1\nusb_claim_interface " + device + " 0\n";
    }

    testing::BoxRecorder boxes_;
    fs::path folder_;
    DeviceConfig::Bytes answer_{};
    DeviceConfig::Bytes sentBytes_{};
    DeviceConfig record_;
    std::string trace_;
};

constexpr ExchangeResult kWhole{ExchangeEnd::Transferred, true, true};

TEST_F(UsbTransportFake, WholeExchangeSendsTheRecordAndTakesTheAnswer) {
    EXPECT_EQ(Run("device 001 002 09fa 6711\n" + AnswerLine()), kWhole);
    EXPECT_EQ(Log(), Opening("001/002") + Claimed("001/002") + WriteLine("001/002") + ReadAndEnd("001/002"));
    EXPECT_EQ(record_.toBytes(), answer_);
    EXPECT_EQ(trace_, "");
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(UsbTransportFake, IncompleteReadsLeaveTheRecordAsSent) {
    // A short answer, bytes delivered before an error, and a timeout with nothing delivered.
    const std::string shortAnswer(answer_.begin(), answer_.begin() + 100);
    WriteFile(folder_ / "short", shortAnswer);
    const std::string scripts[] = {
        "device 001 002 09fa 6711\nanswer " + (folder_ / "short").string() + "\n",
        "device 001 002 09fa 6711\n" + AnswerLine() + "usb_bulk_read -5\n",
        "device 001 002 09fa 6711\nusb_bulk_read -110\n",
    };
    for (const std::string& script : scripts) {
        fs::remove(folder_ / "log");
        EXPECT_EQ(Run(script), (ExchangeResult{ExchangeEnd::Transferred, true, false})) << script;
        EXPECT_EQ(trace_, "error: bulk read failed\n") << script;
        EXPECT_EQ(record_.toBytes(), sentBytes_) << script;
        EXPECT_EQ(Log(), Opening("001/002") + Claimed("001/002") + WriteLine("001/002") + ReadAndEnd("001/002"));
    }
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(UsbTransportFake, ShortWriteIsTracedAndTheReadStillRuns) {
    EXPECT_EQ(Run("device 001 002 09fa 6711\nusb_bulk_write 200\n" + AnswerLine()),
              (ExchangeResult{ExchangeEnd::Transferred, false, true}));
    EXPECT_EQ(trace_, "error: bulk write failed\n");
    EXPECT_EQ(Log(), Opening("001/002") + Claimed("001/002") + WriteLine("001/002") + ReadAndEnd("001/002"));
    EXPECT_EQ(record_.toBytes(), answer_);
}

TEST_F(UsbTransportFake, RefusedConfigurationOrInterfaceClosesAndStops) {
    EXPECT_EQ(Run("device 001 002 09fa 6711\nusb_set_configuration -1\n" + AnswerLine()).end,
              ExchangeEnd::ConfigurationFailed);
    EXPECT_EQ(trace_, "error: setting config 1 failed\n");
    EXPECT_EQ(Log(), Opening("001/002") + "usb_set_configuration 001/002 1\nusb_close 001/002\n");
    EXPECT_EQ(record_.toBytes(), sentBytes_);

    fs::remove(folder_ / "log");
    EXPECT_EQ(Run("device 001 002 09fa 6711\nusb_claim_interface -16\n" + AnswerLine()).end,
              ExchangeEnd::ClaimFailed);
    EXPECT_EQ(trace_, "error: claiming interface 0 failed\n");
    EXPECT_EQ(Log(), Opening("001/002") + Claimed("001/002") + "usb_close 001/002\n");
    EXPECT_EQ(record_.toBytes(), sentBytes_);
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(UsbTransportFake, OnlyTheFirstRecorderInBusOrderIsUsed) {
    EXPECT_EQ(Run("device 001 001 09fa 6712\ndevice 001 004 1234 6711\ndevice 001 007 09fa 6711\n"
                  "device 002 003 09fa 6711\n" + AnswerLine()),
              kWhole);
    EXPECT_EQ(Log(), Opening("001/007") + Claimed("001/007") + WriteLine("001/007") + ReadAndEnd("001/007"));
}

TEST_F(UsbTransportFake, NoRecorderShowsTheOneBox) {
    const std::string noMatch = "device 001 002 09fa 6712\n";
    const std::string cannotOpen = "device 001 002 09fa 6711\nusb_open none\n";
    for (const std::string& script : {noMatch, cannotOpen}) {
        boxes_.boxes.clear();
        EXPECT_EQ(Run(script + AnswerLine()).end, ExchangeEnd::DeviceNotFound);
        EXPECT_EQ(trace_, "error: device not found!\n");
        ASSERT_EQ(boxes_.boxes.size(), 1u);
        EXPECT_EQ(boxes_.boxes[0].text, "Device not found.\n");
        EXPECT_EQ(boxes_.boxes[0].type, platform::MB_OK);
        EXPECT_EQ(record_.toBytes(), sentBytes_);
    }
    EXPECT_EQ(Log().find("usb_set_configuration"), std::string::npos);
}

TEST_F(UsbTransportFake, MissingReadFunctionCountsAsAFailedRead) {
    EXPECT_EQ(Run("device 001 002 09fa 6711\n" + AnswerLine(), "libusbfake-noread-0.1.so"),
              (ExchangeResult{ExchangeEnd::Transferred, true, false}));
    EXPECT_EQ(trace_, "error: bulk read failed\n");
    EXPECT_EQ(Log(), Opening("001/002") + Claimed("001/002") + WriteLine("001/002") +
                         "usb_release_interface 001/002 0\nusb_close 001/002\n");
    EXPECT_EQ(record_.toBytes(), sentBytes_);
}

TEST_F(UsbTransportFake, UnknownLibraryIsADeviceNotFound) {
    EXPECT_EQ(Run("device 001 002 09fa 6711\n", "libusb-absent-0.1.so.4").end, ExchangeEnd::DeviceNotFound);
    EXPECT_EQ(trace_, "error: device not found!\n");
    EXPECT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_FALSE(fs::exists(folder_ / "log"));
    EXPECT_EQ(record_.toBytes(), sentBytes_);
}

} // namespace
} // namespace usbconfig

#include "usbconfig/device_config_store.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace usbconfig {
namespace {

namespace fs = std::filesystem;
using platform::Hive;

class DeviceConfigStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(TRIPDESK_TEST_WORK_DIR) / "registry";
        fs::remove_all(dir_);
    }

    static DeviceConfig Distinct() {
        DeviceConfig::Bytes bytes{};
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(255 - i);
        bytes[163] = 0x3F;
        return DeviceConfig::fromBytes(bytes);
    }

    std::string HiveText() const {
        std::ifstream file(platform::RegistryStore(dir_).HiveFile(Hive::LocalMachine));
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    fs::path dir_;
};

TEST_F(DeviceConfigStoreTest, StoredRecordSurvivesARestart) {
    const DeviceConfig stored = Distinct();
    {
        platform::RegistryStore registry(dir_);
        ASSERT_TRUE(DeviceConfigStore(registry).Store(stored));
    }
    platform::RegistryStore restarted(dir_);
    DeviceConfig loaded;
    DeviceConfigStore(restarted).Load(loaded);
    EXPECT_EQ(loaded, stored);
    const auto value = restarted.Query(Hive::LocalMachine, "SOFTWARE\\Corvane\\Vistrel\\00.00.01", "stConfig");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, platform::RegType::Binary);
    EXPECT_EQ(value->bytes.size(), 336u);
    EXPECT_EQ(static_cast<unsigned char>(value->bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(value->bytes[335]), 255 - 335 % 256);
}

TEST_F(DeviceConfigStoreTest, HiveFileHoldsTheBinaryValueBesideOthers) {
    platform::RegistryStore registry(dir_);
    ASSERT_TRUE(registry.SetString(Hive::LocalMachine, DeviceConfigStore::kKey, "config", "4?0?2?"));
    DeviceConfig record;
    record.channels = 2;
    record.triggerLevel = 0.7f;
    ASSERT_TRUE(DeviceConfigStore(registry).Store(record));
    const std::string text = HiveText();
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Vistrel\\00.00.01]"), std::string::npos);
    EXPECT_NE(text.find("\"config\"=\"4?0?2?\""), std::string::npos);
    const std::size_t at = text.find("\"stConfig\"=hex:02,00,00,00,");
    ASSERT_NE(at, std::string::npos) << text;
    // Read back by the file format's own parser, not through this store's memory.
    const platform::HiveContents parsed = platform::ParseRegFile(text);
    const auto& key = parsed.values.at(std::string(DeviceConfigStore::kKey));
    const std::string& bytes = key.at("stConfig").bytes;
    ASSERT_EQ(bytes.size(), 336u);
    EXPECT_EQ(bytes.substr(160, 4), "\x33\x33\x33\x3f");
    EXPECT_EQ(key.at("config").bytes, "4?0?2?");
}

TEST_F(DeviceConfigStoreTest, NothingStoredLeavesTheRecordAlone) {
    platform::RegistryStore registry(dir_);
    DeviceConfig record;
    DeviceConfigStore(registry).Load(record);
    EXPECT_EQ(record, DeviceConfig{});
    EXPECT_EQ(record.channels, 0);   // no channel choice shown
    record.year = 2011;
    ASSERT_TRUE(registry.SetString(Hive::LocalMachine, DeviceConfigStore::kKey, "config", "x"));
    DeviceConfigStore(registry).Load(record);
    EXPECT_EQ(record.year, 2011);
}

TEST_F(DeviceConfigStoreTest, UnusableValuesLeaveTheRecordAlone) {
    platform::RegistryStore registry(dir_);
    const DeviceConfig before = Distinct();
    const auto loadAfter = [&](auto set) {
        set();
        DeviceConfig record = before;
        DeviceConfigStore(registry).Load(record);
        return record;
    };
    EXPECT_EQ(loadAfter([&] {
                  registry.SetBinary(Hive::LocalMachine, DeviceConfigStore::kKey, "stConfig",
                                     std::vector<std::uint8_t>(337, 0x01));
              }),
              before);
    EXPECT_EQ(loadAfter([&] {
                  registry.SetString(Hive::LocalMachine, DeviceConfigStore::kKey, "stConfig",
                                     std::string(336, 'a'));
              }),
              before);
}

TEST_F(DeviceConfigStoreTest, ShorterValueFillsFromTheStart) {
    platform::RegistryStore registry(dir_);
    ASSERT_TRUE(registry.SetBinary(Hive::LocalMachine, DeviceConfigStore::kKey, "stConfig",
                                   {0x01, 0x00, 0x00, 0x00, 0x02, 0x00}));
    DeviceConfig record = Distinct();
    const DeviceConfig::Bytes before = record.toBytes();
    DeviceConfigStore(registry).Load(record);
    const DeviceConfig::Bytes after = record.toBytes();
    EXPECT_EQ(record.channels, 1);
    EXPECT_EQ(after[4], 0x02);
    EXPECT_EQ(after[5], 0x00);
    EXPECT_TRUE(std::equal(after.begin() + 6, after.end(), before.begin() + 6));
}

} // namespace
} // namespace usbconfig

#include "settings/config_store.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace settings {
namespace {

namespace fs = std::filesystem;

class ConfigStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(TRIPDESK_TEST_WORK_DIR) / "registry";
        fs::remove_all(dir_);
    }
    fs::path dir_;
};

TEST_F(ConfigStoreTest, FirstStartWithoutTheKey) {
    platform::RegistryStore registry(dir_);
    const ParsedConfig parsed = ConfigStore(registry).Load();
    EXPECT_EQ(parsed.config, ViewerConfig{});
    EXPECT_EQ(parsed.volumePercent, 0);
    EXPECT_EQ(parsed.volumeBarPosition, 0);
    const ViewerConfig shown = WithAppliedLevels(parsed.config);
    EXPECT_EQ(shown.gsensorLevel, 4);
    EXPECT_EQ(shown.speakerVolume, 3);
    EXPECT_EQ(shown.micVolume, 3);
    EXPECT_EQ(shown.speedUnit, 0);
    EXPECT_EQ(shown.passwordDigits, "");
}

TEST_F(ConfigStoreTest, SavedSettingsSurviveARestart) {
    ViewerConfig config;
    config.gsensorLevel = 4;
    config.speedUnit = 1;
    config.passwordDigits = "9876";
    config.timeTextOnClose = "2011.05.12 오후 9시";
    {
        platform::RegistryStore registry(dir_);
        ASSERT_TRUE(ConfigStore(registry).Save(config, 74, 100, ConfigTail{}));
        EXPECT_EQ(registry.QueryString(platform::Hive::LocalMachine, ConfigStore::kKey, "config"),
                  ComposeConfigValue(config, 74, 100, ConfigTail{}));
    }
    platform::RegistryStore restarted(dir_);
    const ParsedConfig parsed = ConfigStore(restarted).Load();
    config.volumeBarPosition = 100;
    EXPECT_EQ(parsed.config, config);
    EXPECT_EQ(parsed.volumePercent, 74);
    EXPECT_EQ(parsed.volumeBarPosition, 100);
}

TEST_F(ConfigStoreTest, AnOverlongStoredValueGivesDefaults) {
    platform::RegistryStore registry(dir_);
    std::string value = "4?0?2?74?0????100?";
    value.resize(600, '0');
    ASSERT_TRUE(registry.SetString(platform::Hive::LocalMachine, ConfigStore::kKey,
                                   ConfigStore::kValueName, value));
    const ParsedConfig parsed = ConfigStore(registry).Load();
    EXPECT_EQ(parsed.config, ViewerConfig{});
    EXPECT_EQ(parsed.volumePercent, 0);
}

} // namespace
} // namespace settings

// Player commands in a comma-decimal locale: the library reads numbers with decimal points only,
// so seek, speed and volume must reach it as "1.50", never "1,50".
#include "bridge_fixture.h"
#include "comma_locale.h"

namespace player::test {
namespace {

using Commands = std::vector<std::string>;

class CommaLocaleBridgeTest : public BridgeTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(tripdesk::test::UseCommaDecimalLocale()) << "run scripts/bootstrap to generate the locale";
        BridgeTest::SetUp();
    }
};

TEST_F(CommaLocaleBridgeTest, SeekSpeedAndVolumeReachTheLibraryWithDecimalPoints) {
    StartPlaying();
    EXPECT_EQ(adapter_->Seek(1.5f, false), 0);
    EXPECT_EQ(adapter_->Seek(-0.25f, true), 0);
    EXPECT_EQ(adapter_->SetSpeed(0.5f, true), 0);
    EXPECT_EQ(adapter_->SetSpeed(2.0f, false), 0);
    EXPECT_EQ(adapter_->MultiplySpeed(1.25f, true), 0);
    EXPECT_EQ(adapter_->MultiplySpeed(0.75f, false), 0);
    EXPECT_EQ(adapter_->SetVolume(37.9f, false), 0);
    EXPECT_EQ(adapter_->SetVolume(5.0f, true), 0);
    EXPECT_EQ(scripted::Commands(), (Commands{"seek 1.50 2", "seek -0.25", "speed_incr 0.50", "speed_set 2.00 2",
                                              "speed_mult 1.25", "speed_set 0.75 2", "volume 37 2", "volume 42 2"}));
}

} // namespace
} // namespace player::test

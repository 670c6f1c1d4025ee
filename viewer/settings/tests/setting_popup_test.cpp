// The settings window in its idle form: created hidden in mode 3, applying a stored record,
// placing itself and the alert from the owner position, and the stored tail of its folders.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <ctime>

#include "gui_support.h"
#include "platform/clock.h"
#include "settings/alert_popup.h"
#include "settings/config_value.h"
#include "settings/setting_popup.h"

namespace settings {
namespace {

constexpr int kFrontOnly = 1078;
constexpr int kFrontAndRear = 1079;

class SettingPopupTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetClockFastForward(true); }
    void TearDown() override { platform::SetClockFastForward(false); }

    SettingPopup popup;
};

ViewerConfig StoredRecord() {
    ViewerConfig stored;
    stored.gsensorLevel = 8;
    stored.spare = -7;
    stored.speedUnit = 2;
    stored.passwordFlag = 1;
    stored.passwordDigits = "0429";
    stored.timeTextOnSave = "2011년 05월 12일 10: 20:30";
    stored.speakerVolume = 0;
    stored.volumeBarPosition = 100;
    stored.micVolume = 6;
    stored.timeTextOnClose = "closed";
    return stored;
}

TEST_F(SettingPopupTest, ApplyingARecordResetsTheThreeLevelsAndKeepsTheRest) {
    popup.CheckDlgButton(kFrontAndRear, true);
    popup.ApplyConfig(StoredRecord());

    ViewerConfig expected = StoredRecord();
    expected.gsensorLevel = 4;
    expected.speakerVolume = 3;
    expected.micVolume = 3;
    EXPECT_EQ(popup.CurrentConfig(), expected);

    EXPECT_EQ(popup.Choices().channel, 0);
    EXPECT_TRUE(popup.IsDlgButtonChecked(kFrontOnly));
    EXPECT_FALSE(popup.IsDlgButtonChecked(kFrontAndRear));
    for (int id : {1080, 1082, 1084, 1241}) EXPECT_TRUE(popup.IsDlgButtonChecked(id)) << id;

    // The date-and-time box holds the local time, e.g. "2011년 05월 12일 09: 05:07".
    const std::string text = popup.GetDlgItemText(SettingPopup::kDateTimeBoxId);
    const QRegularExpression format(QStringLiteral("^(\\d{4})년 \\d\\d월 \\d\\d일 \\d\\d: \\d\\d:\\d\\d$"));
    const QRegularExpressionMatch match = format.match(QString::fromStdString(text));
    ASSERT_TRUE(match.hasMatch()) << text;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(match.captured(1).toInt(), local.tm_year + 1900);
}

TEST_F(SettingPopupTest, AStartWithoutStoredDataSavesTheDocumentedValue) {
    popup.ApplyConfig(ViewerConfig{});
    EXPECT_EQ(ComposeConfigValue(popup.CurrentConfig(), 74, 100, popup.ConfigTail()),
              "4?0?0?74?0????100??0?0??0?0???");
}

TEST_F(SettingPopupTest, OwnerPositionPlacesTheWindowAndTheAlert) {
    EXPECT_EQ(popup.Mode(), SettingMode::Idle);
    EXPECT_EQ(popup.alertWindow(), nullptr) << "made on first use";
    popup.SetOwnerPosition(100, 50, 1020, 780);
    EXPECT_EQ(popup.OwnerPosition(), QRect(100, 50, 1020, 780));
    EXPECT_EQ(popup.pos(), QPoint(424, 105));
    EXPECT_FALSE(popup.isVisible());

    const std::uint64_t before = platform::TickCount();
    popup.ShowAlert(4);
    const AlertPopupDlg* alert = popup.alertWindow();
    ASSERT_NE(alert, nullptr);
    EXPECT_GE(platform::TickCount() - before, AlertPopupDlg::kShowMilliseconds);
    EXPECT_EQ(alert->pos(), QPoint(474, 343));
    EXPECT_EQ(alert->Number(), 4);
    EXPECT_FALSE(alert->isVisible());

    // The same alert window serves the next alert, placed from the new owner position.
    popup.SetOwnerPosition(0, 0, 1020, 780);
    popup.ShowAlert(2);
    EXPECT_EQ(popup.alertWindow(), alert);
    EXPECT_EQ(alert->pos(), QPoint(374, 293));
    EXPECT_EQ(alert->Number(), 2);
}

} // namespace
} // namespace settings

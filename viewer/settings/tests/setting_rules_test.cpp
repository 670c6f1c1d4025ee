// The settings windows' rules without a window: folder separators and cuts, the setup file's
// line and place, and the sliders' geometry.

#include <gtest/gtest.h>

#include "settings/folder_text.h"
#include "settings/setting_slider.h"
#include "settings/setup_file.h"

namespace settings {
namespace {

TEST(FolderText, TheSettingsWindowAppendsASeparatorUnlessOneEndsThePath) {
    EXPECT_EQ(FolderEndingInSeparator("/media/card"), "/media/card/");
    EXPECT_EQ(FolderEndingInSeparator("/media/user/KX-310T"), "/media/user/KX-310T/") << "a mount point too";
    EXPECT_EQ(FolderEndingInSeparator("/"), "/");
    EXPECT_EQ(FolderEndingInSeparator("/media/card/"), "/media/card/");
}

TEST(FolderText, TheSaveSettingsWindowAlwaysAppendsOne) {
    EXPECT_EQ(FolderWithAddedSeparator("/"), "//");
    EXPECT_EQ(FolderWithAddedSeparator("/media/card"), "/media/card/");
    EXPECT_EQ(FolderWithAddedSeparator("/media/card/"), "/media/card//");
}

TEST(FolderText, FoldersOfThirteenCharactersOrMoreAreCut) {
    EXPECT_EQ(ShownFolder(""), "");
    EXPECT_EQ(ShownFolder("/media/card/"), "/media/card/") << "twelve characters";
    EXPECT_EQ(ShownFolder("/media/card1/"), "/media/card1/...");
    EXPECT_EQ(ShownFolder("/media/card12/x"), "/media/card12...");
    // Three bytes a character: cut after 13 characters, never inside one.
    EXPECT_EQ(ShownFolder("/가나다라마바사아자차카타파하거너더러머"), "/가나다라마바사아자차카타...");
    EXPECT_EQ(ShownFolder("가나다라마바사아자차카타"), "가나다라마바사아자차카타");
    EXPECT_EQ(ShownFolder("/media/사용자/블랙박스"), "/media/사용자/블랙...");
}

TEST(SetupFile, TheLineHoldsTheSevenNumbersInTheRecordersOrder) {
    const ViewerConfig fresh = WithAppliedLevels(ViewerConfig{});
    EXPECT_EQ(SetupFileLine(fresh, SettingChoices{}), "0 3 3 4 1 1 1");

    ViewerConfig changed = fresh;
    changed.gsensorLevel = 8;
    changed.speakerVolume = 6;
    changed.micVolume = 0;
    SettingChoices choices;
    choices.channel = 1;
    choices.tvOut = 1;
    choices.driveMode = 1;
    EXPECT_EQ(SetupFileLine(changed, choices), "1 0 6 8 2 2 1");
}

TEST(SetupFile, LanguagesTakeTheRecordersCodes) {
    const ViewerConfig fresh = WithAppliedLevels(ViewerConfig{});
    const std::pair<std::int32_t, char> cases[] = {{0, '1'}, {1, '0'}, {2, '2'}, {3, '1'}, {-1, '1'}};
    for (const auto& [choice, code] : cases) {
        SettingChoices choices;
        choices.language = choice;
        EXPECT_EQ(SetupFileLine(fresh, choices).back(), code) << choice;
    }
}

TEST(SetupFile, ItLiesInTheFolderOrInTheCurrentOne) {
    EXPECT_EQ(SetupFilePath("/media/card/"), "/media/card/setup.dat");
    EXPECT_EQ(SetupFilePath("//"), "//setup.dat");
    EXPECT_EQ(SetupFilePath(""), "setup.dat");
}

TEST(SettingSliders, PointerPositionsGiveLevels) {
    const SettingSlider& gsensor = kSettingSliders[kGsensorSlider];
    const SettingSlider& speaker = kSettingSliders[kSpeakerSlider];
    EXPECT_EQ(LevelAtX(gsensor, 23), std::nullopt);
    EXPECT_EQ(LevelAtX(gsensor, 24), 0);
    EXPECT_EQ(LevelAtX(gsensor, 54), 0);
    EXPECT_EQ(LevelAtX(gsensor, 55), 1);
    EXPECT_EQ(LevelAtX(gsensor, 289), 8);
    EXPECT_EQ(LevelAtX(gsensor, 290), std::nullopt);
    EXPECT_EQ(LevelAtX(speaker, 279), 6);
    EXPECT_EQ(LevelAtX(speaker, 280), std::nullopt);
    EXPECT_EQ(LevelAtX(kSettingSliders[kMicSlider], 64), 1);
}

TEST(SettingSliders, ThePointersHeightPicksTheSlider) {
    const std::pair<int, std::optional<int>> cases[] = {
        {70, std::nullopt}, {71, kGsensorSlider}, {109, kGsensorSlider}, {110, std::nullopt},
        {140, std::nullopt}, {141, kSpeakerSlider}, {179, kSpeakerSlider}, {180, std::nullopt},
        {210, std::nullopt}, {211, kMicSlider}, {249, kMicSlider}, {250, std::nullopt}, {20, std::nullopt},
    };
    for (const auto& [y, slider] : cases) EXPECT_EQ(SliderAtY(y), slider) << y;
}

TEST(SettingSliders, ThumbsStand26PixelsRightOfTheirPosition) {
    EXPECT_EQ(ThumbRect(kSettingSliders[kGsensorSlider], 128), QRect(154, 84, 33, 20));
    EXPECT_EQ(ThumbRect(kSettingSliders[kSpeakerSlider], 0), QRect(26, 154, 33, 20));
    EXPECT_EQ(ThumbRect(kSettingSliders[kMicSlider], 246), QRect(272, 224, 33, 20));
}

} // namespace
} // namespace settings

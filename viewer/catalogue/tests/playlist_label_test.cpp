#include "catalogue/playlist_label.h"

#include <gtest/gtest.h>

namespace catalogue {
namespace {

TEST(PlaylistLabelTest, IconsAndLabelsByKind) {
    const PlaylistLabel event = labelFor("/c/evt2_20110512_093015.mp4", 2);
    EXPECT_EQ(event.iconId, kIconEvent);
    EXPECT_EQ(event.date, "2011.05.12");
    EXPECT_EQ(event.name, "evt2_20110512_093015.mp4");
    EXPECT_EQ(labelFor("/c/drf2_20110512_093015.mp4", 2).iconId, kIconContinuous);
    EXPECT_EQ(labelFor("/c/mod0_20110512_093015.mp4", 1).iconId, kIconParking);
    EXPECT_EQ(labelFor("/c/evt0_20110512_093015.mp4", 1).iconId, kIconEvent);
}

TEST(PlaylistLabelTest, NoPrefixOfTheModeGivesNoTextAndTheContinuousIcon) {
    const PlaylistLabel none = labelFor("/c/evt2_20110512_093015.mp4", 1);
    EXPECT_EQ(none.iconId, kIconContinuous);
    EXPECT_EQ(none.date, "");
    EXPECT_EQ(none.name, "");
    EXPECT_EQ(labelFor("/c/evt1_20110512_093015.mp4", 2).name, "");
}

TEST(PlaylistLabelTest, NamesAreCutAt31BytesBetweenCharacters) {
    const PlaylistLabel label = labelFor("/c/drf2_20110512_093015_front_camera_long.mp4", 2);
    EXPECT_EQ(label.name, "drf2_20110512_093015_front_came");
    EXPECT_EQ(label.name.size(), kLabelMaxBytes);
    // 29 ASCII bytes, then a three-byte character that would end at byte 32.
    const std::string korean = std::string(29, 'a') + "\xEC\xA0\x84" + "b";
    EXPECT_EQ(labelForm(korean), std::string(29, 'a'));
    const std::string fits = std::string(28, 'a') + "\xEC\xA0\x84" + "b";
    EXPECT_EQ(labelForm(fits), std::string(28, 'a') + "\xEC\xA0\x84");
    EXPECT_EQ(labelForm("short"), "short");
    // Bytes that are not UTF-8 are cut like single bytes.
    EXPECT_EQ(labelForm(std::string(30, 'a') + "\x80\x80\x80"), std::string(30, 'a') + "\x80");
}

TEST(PlaylistLabelTest, OnlyTheFirst255BytesOfThePathCount) {
    // The prefix starts at byte 250: its date lies beyond byte 255, so the row shows no date.
    const std::string folder = "/" + std::string(248, 'f') + "/";
    const PlaylistLabel cut = labelFor(folder + "evt2_20110512_093015.mp4", 2);
    EXPECT_EQ(cut.iconId, kIconEvent);
    EXPECT_EQ(cut.name, "evt2_");
    // A prefix beyond byte 255 is not seen at all.
    const PlaylistLabel beyond = labelFor("/" + std::string(300, 'f') + "/evt2_20110512_093015.mp4", 2);
    EXPECT_EQ(beyond.iconId, kIconContinuous);
    EXPECT_EQ(beyond.name, "");
}

} // namespace
} // namespace catalogue

// Which skinned kind replaces a template control, by its Windows class and style, and the
// default names of the kinds.
#include "skin/skin_kind.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(SkinKind, ButtonStylesAreTestedGroupThenCheckThenRadio) {
    EXPECT_EQ(ChooseSkinKind("Button", 0), SkinKind::Button);
    EXPECT_EQ(ChooseSkinKind("Button", 1), SkinKind::Button);
    EXPECT_EQ(ChooseSkinKind("Button", 2), SkinKind::Button);
    EXPECT_EQ(ChooseSkinKind("Button", 4), SkinKind::Button);
    EXPECT_EQ(ChooseSkinKind("Button", 3), SkinKind::Check);
    EXPECT_EQ(ChooseSkinKind("Button", 11), SkinKind::Check);   // owner-drawn counts as a check box
    EXPECT_EQ(ChooseSkinKind("Button", 9), SkinKind::Radio);
    EXPECT_EQ(ChooseSkinKind("Button", 0x50020009), SkinKind::Radio);
    EXPECT_EQ(ChooseSkinKind("Button", 7), SkinKind::Group);
    EXPECT_EQ(ChooseSkinKind("Button", 0x5000000F), SkinKind::Group);
    EXPECT_EQ(ChooseSkinKind("Button", 0x10000008), SkinKind::Button);
}

TEST(SkinKind, OtherClassesByNameOrPartOfIt) {
    EXPECT_EQ(ChooseSkinKind("Static", 0), SkinKind::Static);
    EXPECT_EQ(ChooseSkinKind("Static", 6), SkinKind::Static);
    EXPECT_EQ(ChooseSkinKind("Static", 7), SkinKind::Picture);
    EXPECT_EQ(ChooseSkinKind("Static", 0x5000000F), SkinKind::Picture);
    EXPECT_EQ(ChooseSkinKind("Edit", 0x820), SkinKind::Edit);
    EXPECT_EQ(ChooseSkinKind("ListBox", 0), SkinKind::ListBox);
    EXPECT_EQ(ChooseSkinKind("ComboBox", 3), SkinKind::Combo);
    EXPECT_EQ(ChooseSkinKind("msctls_progress32", 0), SkinKind::Progress);
    EXPECT_EQ(ChooseSkinKind("msctls_trackbar32", 0), SkinKind::Slider);
    EXPECT_EQ(ChooseSkinKind("SysListView32", 0), SkinKind::ListView);
    EXPECT_EQ(ChooseSkinKind("SysTabControl32", 0), std::nullopt);
    EXPECT_EQ(ChooseSkinKind("button", 0), std::nullopt);
    EXPECT_EQ(ChooseSkinKind("", 0), std::nullopt);
}

TEST(SkinKind, DefaultNamesCountTheKindsBefore) {
    EXPECT_EQ(DefaultControlName(SkinKind::Static, 0), "Static0");
    EXPECT_EQ(DefaultControlName(SkinKind::Picture, 2), "Picture2");
    EXPECT_EQ(DefaultControlName(SkinKind::Group, 1), "Group1");
    EXPECT_EQ(DefaultControlName(SkinKind::Check, 0), "Check0");
    EXPECT_EQ(DefaultControlName(SkinKind::Radio, 11), "Radio11");
    EXPECT_EQ(DefaultControlName(SkinKind::Button, 3), "Btn3");
    EXPECT_EQ(DefaultControlName(SkinKind::Edit, 5), "Edit5");
    EXPECT_EQ(DefaultControlName(SkinKind::ListBox, 0), "ListBox0");
    EXPECT_EQ(DefaultControlName(SkinKind::Combo, 0), "Combo0");
    EXPECT_EQ(DefaultControlName(SkinKind::Progress, 0), "Progress0");
    EXPECT_EQ(DefaultControlName(SkinKind::Slider, 0), "Slider0");
    EXPECT_EQ(DefaultControlName(SkinKind::ListView, 0), "ListCtrl0");
}

} // namespace
} // namespace skin

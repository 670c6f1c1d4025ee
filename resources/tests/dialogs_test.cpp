// Dialog templates: every window's template exists, its controls are unique and inside it, and
// the controls the windows bind to are there with the right kind, caption and state.
#include <QImage>
#include <QRect>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/resources.h"

namespace {

using platform::ControlKind;
using platform::ControlTemplate;

constexpr int kViewerDialogs[] = {102, 106, 107, 108, 109, 110, 111, 113, 276, 285, 286, 287, 288, 290, 291, 292, 296, 297, 298};

struct Expected {
    int dialog;
    int id;
    ControlKind kind;
    const char* caption;   // nullptr: any
    std::uint32_t style;   // bits that must be set
};

constexpr std::uint32_t kHidden = platform::kStyleHidden;
constexpr std::uint32_t kHiddenDisabled = platform::kStyleHidden | platform::kStyleDisabled;
constexpr std::uint32_t kGroup = platform::kStyleGroup;
constexpr auto kBitmapButton = ControlKind::BitmapButton;
constexpr auto kPushButton = ControlKind::PushButton;
constexpr auto kRadio = ControlKind::RadioButton;

const Expected kExpected[] = {
    {102, 1001, kBitmapButton, "min", 0},
    {102, 1002, kBitmapButton, "close", 0},
    {102, 1003, kBitmapButton, "print", kHiddenDisabled},
    {102, 1004, kBitmapButton, "capture", 0},
    {102, 1005, kBitmapButton, "save", kHiddenDisabled},
    {102, 1006, kBitmapButton, "setting", 0},
    {102, 1007, kBitmapButton, "prev file", 0},
    {102, 1008, kBitmapButton, "USB", kHidden},
    {102, 1009, kBitmapButton, "pause", 0},
    {102, 1010, kBitmapButton, "stop", 0},
    {102, 1011, kBitmapButton, "play", 0},
    {102, 1012, kBitmapButton, "next file", 0},
    {102, 1013, kBitmapButton, "clockfix", 0},
    {102, 1014, kBitmapButton, "지도", 0},
    {102, 1015, kBitmapButton, "fast", 0},
    {102, 1016, kBitmapButton, "slow", 0},
    {102, 1049, kBitmapButton, "Info", 0},
    {102, 1072, kBitmapButton, "목록삭제", 0},
    {102, 1081, kPushButton, "F_Seek", 0},
    {102, 1082, kPushButton, "B_Seek", 0},
    {102, 1094, kPushButton, "FrameStep", 0},
    {102, 1241, kBitmapButton, "파일 열기", 0},
    {102, 1058, ControlKind::Edit, nullptr, kHidden | platform::kStylePassword},
    {102, 1059, kPushButton, "password ok", kHidden},

    {106, 1045, kBitmapButton, "close", 0},
    {106, 1046, kBitmapButton, "sel dir", 0},
    {106, 1047, kBitmapButton, "capture", 0},
    {106, 1048, kBitmapButton, "exit", 0},
    {106, 1054, ControlKind::Edit, nullptr, 0},
    {106, 1078, kRadio, "전방단독", kGroup},
    {106, 1079, kRadio, "전후방", 0},
    {106, 1080, kRadio, "전방", kGroup},
    {106, 1081, kRadio, "후방", 0},
    {106, 1082, kRadio, "주행모드", kGroup},
    {106, 1083, kRadio, "차량정지모드", 0},
    {106, 1084, kRadio, nullptr, kGroup},
    {106, 1085, kRadio, nullptr, 0},
    {106, 1241, kRadio, "한국어", kGroup | kHiddenDisabled},
    {106, 1242, kRadio, "English", kHiddenDisabled},
    {106, 1243, kRadio, "日本語", kHiddenDisabled},

    {107, 1050, kBitmapButton, "close", 0},
    {108, 1056, kBitmapButton, "close", 0},
    {109, 1055, kBitmapButton, "close", 0},
    {110, 1057, kBitmapButton, "close", 0},
    {111, 1062, kBitmapButton, "close", 0},
    {111, 1063, kBitmapButton, "seldir", 0},
    {111, 1060, kBitmapButton, "ok", 0},
    {111, 1061, kBitmapButton, "exit", 0},

    {276, 1236, ControlKind::GroupBox, nullptr, 0},
    {276, 1126, ControlKind::GroupBox, "1. Channel Selection", 0},
    {276, 1092, kRadio, "1 Channel", kGroup},
    {276, 1093, kRadio, "2 Channel", 0},
    {276, 1, kBitmapButton, "확인", platform::kStyleDefault},
    {276, 2, kPushButton, "취소", kHidden},
    {276, 1139, ControlKind::GroupBox, "2. Encryption File View Mode", kHidden},
    {276, 1239, kRadio, "No", kHidden | kGroup},
    {276, 1238, kRadio, "Yes  ->", kHidden},
    {276, 1138, ControlKind::Edit, nullptr, kHidden | platform::kStylePassword},

    {285, 1097, ControlKind::TabControl, nullptr, 0},
    {285, 1, kPushButton, "Data Transmission", platform::kStyleDefault},
    {285, 2, kPushButton, "Cancle", 0},
    {285, 1098, kPushButton, "Exit", 0},
    {286, 1109, kRadio, "1CH", kGroup},
    {286, 1093, kRadio, "2CH", 0},
    {286, 1121, kRadio, "Mega(1.3M)", 0},
    {286, 1137, kRadio, "AMR", 0},
    {286, 1, kPushButton, "Save", 0},
    {287, 1194, ControlKind::DropDownList, nullptr, 0},
    {287, 1101, kRadio, "1 fps", kGroup},
    {287, 1162, kRadio, "10 Min", 0},
    {288, 1142, kRadio, "Channel", kGroup},
    {288, 1099, ControlKind::Edit, nullptr, kHidden},
    {288, 1094, kPushButton, "Button1", kHidden},
    {288, 7, kPushButton, "Save", 0},
    {290, 1145, kRadio, "TPMS", 0},
    {290, 1153, kRadio, "RF", 0},
    {290, 1096, kRadio, "Skin1", kGroup},
    {291, 1213, ControlKind::DropDownList, nullptr, 0},
    {291, 1103, kRadio, "Auto", 0},
    {291, 1097, kRadio, "12 V", kGroup},
    {292, 1233, kPushButton, "SD Update", 0},
    {292, 1095, kPushButton, "USB Update", 0},
    {292, 1096, kPushButton, "Set Default", 0},
    {296, 1242, ControlKind::GroupBox, nullptr, 0},
    {296, 1243, ControlKind::Label, "[디렉토리 경로]", 0},
    {296, 1244, ControlKind::Edit, nullptr, platform::kStyleReadOnly},
    {296, 1245, kPushButton, "디렉토리선택", 0},
    {296, 1246, ControlKind::TabControl, nullptr, 0},
    {296, 1247, kPushButton, "파일 추가", 0},
    {296, 2, kPushButton, "닫기", 0},

    {297, 1077, ControlKind::CheckList, nullptr, 0},
    {297, 1248, ControlKind::CheckBox, nullptr, 0},
    {297, 1249, ControlKind::Label, "Select All", 0},
    {297, 1250, ControlKind::Label, nullptr, 0},
    {297, 1, kPushButton, nullptr, kHidden},
    {297, 2, kPushButton, nullptr, kHidden},
    {298, 1077, ControlKind::CheckList, nullptr, platform::kStyleNotify},
    {298, 1248, ControlKind::CheckBox, nullptr, 0},
    {298, 1252, ControlKind::Label, "Select All", 0},
    {298, 1253, ControlKind::Label, nullptr, 0},
    {298, 1, kPushButton, nullptr, kHidden},
    {298, 2, kPushButton, nullptr, kHidden},
};

const ControlTemplate* FindControl(const platform::DialogTemplate& dialog, int id) {
    const auto found = std::find_if(dialog.controls.begin(), dialog.controls.end(),
                                    [id](const ControlTemplate& c) { return c.id == id; });
    return found == dialog.controls.end() ? nullptr : &*found;
}

TEST(DialogTemplates, EveryViewerWindowHasItsTemplate) {
    for (int id : kViewerDialogs) {
        SCOPED_TRACE(id);
        const platform::DialogTemplate* dialog = resources::FindDialog(id);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->id, id);
        EXPECT_EQ(&resources::Dialog(id), dialog);
        EXPECT_GT(dialog->width, 0);
        EXPECT_GT(dialog->height, 0);
        ASSERT_NE(dialog->fontFace, nullptr);
        EXPECT_GT(dialog->fontPoints, 0);
        ASSERT_NE(dialog->loadBitmap, nullptr);
        EXPECT_EQ(dialog->loadBitmap(321), resources::Bitmap(321));
    }
}

TEST(DialogTemplates, ControlsAreUniqueAndInsideTheirDialog) {
    for (int id : kViewerDialogs) {
        const platform::DialogTemplate& dialog = resources::Dialog(id);
        std::set<int> seen;
        for (const ControlTemplate& c : dialog.controls) {
            SCOPED_TRACE(std::to_string(id) + "/" + std::to_string(c.id));
            if (c.id != -1) {
                EXPECT_TRUE(seen.insert(c.id).second) << "duplicate id";
            }
            EXPECT_GT(c.width, 0);
            EXPECT_GT(c.height, 0);
            EXPECT_TRUE(QRect(0, 0, dialog.width, dialog.height).contains(QRect(c.x, c.y, c.width, c.height)));
            ASSERT_NE(c.caption, nullptr);
            if (c.kind == ControlKind::Picture) {
                EXPECT_TRUE(resources::HasBitmap(c.bitmap));
            }
        }
    }
}

TEST(DialogTemplates, BoundControlsHaveTheirKindCaptionAndState) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(std::to_string(e.dialog) + "/" + std::to_string(e.id));
        const ControlTemplate* c = FindControl(resources::Dialog(e.dialog), e.id);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->kind, e.kind);
        if (e.caption) {
            EXPECT_STREQ(c->caption, e.caption);
        }
        EXPECT_EQ(c->style & e.style, e.style);
        if (!(e.style & kHidden)) {
            EXPECT_EQ(c->style & kHidden, 0u) << "shown control is hidden";
        }
    }
}

TEST(DialogTemplates, WindowStyles) {
    const platform::DialogTemplate& main = resources::Dialog(102);
    EXPECT_EQ(QSize(main.width, main.height), QSize(1020, 780));
    EXPECT_EQ(main.style, platform::kDialogPopup | platform::kDialogAppWindow | platform::kDialogAcceptFiles);
    EXPECT_STREQ(main.fontFace, "MS Shell Dlg");
    EXPECT_EQ(main.fontPoints, 9);
    EXPECT_EQ(main.controls.size(), 24u);

    const platform::DialogTemplate& filesOpen = resources::Dialog(296);
    EXPECT_EQ(QSize(filesOpen.width, filesOpen.height), QSize(355, 404));
    for (int page : {297, 298}) EXPECT_EQ(resources::Dialog(page).style, platform::kDialogChild) << page;
    for (int popup : {106, 107, 108, 109, 110, 111, 113}) EXPECT_TRUE(resources::Dialog(popup).style & platform::kDialogPopup) << popup;

    const QSize popupSizes[] = {{650, 520}, {650, 520}, {520, 470}, {372, 254}, {377, 254}, {272, 194}};
    const int popupIds[] = {108, 109, 110, 107, 111, 113};
    for (int i = 0; i < 6; ++i) {
        const platform::DialogTemplate& d = resources::Dialog(popupIds[i]);
        EXPECT_EQ(QSize(d.width, d.height), popupSizes[i]) << popupIds[i];
    }
}

// Every group caption of the USB tool's pages, in dialog order.
TEST(DialogTemplates, UsbPagesCarryTheirGroups) {
    const std::pair<int, std::vector<std::string>> pages[] = {
        {286, {"1. Channel", "2. Mode", "3. Type", "4. Resolution", "5. Quailty", "5-2. Quality", "6. AUDIO"}},
        {287, {"1. SI", "2. User Data", "3. Record Time", "4. Motion Detection", "5. Event File Overwrite",
               "6. Water Mark(Not Yet)", "7. Sorting", "8. Advanced Setting(Not Yet)"}},
        {288, {"Sort Condition"}},
        {290, {"1. LCD", "2. TV", "3. UI(Not Yet)", "4. Skin(Not Yet)", "5. OBD(Not Yet)"}},
        {291, {"1. Time", "2. Volume", "3. G-Sensor", "4. Camera", "5. TPMS(Not Yet)", "6. SD Format", "7. Etc"}},
        {292, {"1. F/W Update", "2. Bluetooth(Not Yet)", "3. Advanced Function(Not Yet)"}},
    };
    for (const auto& [id, groups] : pages) {
        SCOPED_TRACE(id);
        const platform::DialogTemplate& page = resources::Dialog(id);
        EXPECT_EQ(page.style, platform::kDialogChild);
        std::vector<std::string> found;
        for (const ControlTemplate& c : page.controls)
            if (c.kind == ControlKind::GroupBox) found.push_back(c.caption);
        EXPECT_EQ(found, groups);
    }
    const platform::DialogTemplate& tool = resources::Dialog(285);
    EXPECT_EQ(QSize(tool.width, tool.height), QSize(427, 424));
    EXPECT_STREQ(tool.fontFace, "Microsoft Sans Serif");
    EXPECT_EQ(tool.fontPoints, 10);
    EXPECT_STREQ(tool.controls[0].caption, "[ USB Management Tool ]");
}

TEST(DialogTemplates, ChannelDialogShowsItsTitlePicture) {
    const platform::DialogTemplate& channel = resources::Dialog(276);
    const auto picture = std::find_if(channel.controls.begin(), channel.controls.end(),
                                      [](const ControlTemplate& c) { return c.kind == ControlKind::Picture; });
    ASSERT_NE(picture, channel.controls.end());
    EXPECT_EQ(picture->bitmap, 321);
    EXPECT_EQ(picture->style & kHidden, 0u);
    EXPECT_EQ(QSize(picture->width, picture->height), resources::Bitmap(321).size());
    const ControlTemplate* ok = FindControl(channel, 1);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(QSize(ok->width, ok->height), resources::Bitmap(293).size());
}

TEST(DialogTemplates, ListPagesFitTheTabPageArea) {
    const ControlTemplate* tab = FindControl(resources::Dialog(296), 1246);
    ASSERT_NE(tab, nullptr);
    for (int page : {297, 298}) {
        const platform::DialogTemplate& d = resources::Dialog(page);
        // Below a tab row of up to 30 pixels and inside a 2-pixel frame.
        EXPECT_LE(d.width, tab->width - 4) << page;
        EXPECT_LE(d.height, tab->height - 34) << page;
    }
}

TEST(DialogTemplates, UnknownIdsAreNotFound) {
    for (int id : {0, -1, 100, 101, 289, 999}) EXPECT_EQ(resources::FindDialog(id), nullptr) << id;
    EXPECT_DEATH(resources::Dialog(999), "no dialog template 999");
}

} // namespace

// Clockfix's resources: the texts, the templates' fixed places, the skin bitmaps with their
// transparent colour, and the background picture beside the program.
#include "clockfix_resources.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <string>

namespace clockfix_res {
namespace {

const platform::ControlTemplate* Control(const platform::DialogTemplate& dialog, int id) {
    for (const platform::ControlTemplate& c : dialog.controls)
        if (c.id == id) return &c;
    return nullptr;
}

TEST(ClockfixStrings, HoldTheUtilitysTexts) {
    EXPECT_STREQ(String(101), "Clockfix 정보(&A)...");
    EXPECT_STREQ(String(103), "초기화를 하면 설정치가 초기화되고,\n모든 영상 데이터가 삭제됩니다.\n초기화를 하시겠습니까?");
    EXPECT_STREQ(String(121), "진행상황");
    EXPECT_STREQ(String(125), "SD카드 초기화 완료");
    EXPECT_STREQ(String(126), "포맷 에러");
    EXPECT_STREQ(String(127), "포맷중");
    EXPECT_STREQ(String(128), "완료");
    EXPECT_STREQ(String(129), "잘못된 디스크입니다");
    EXPECT_STREQ(String(131), "설정치가 변경되었습니다.");
    EXPECT_STREQ(String(133), "초기화중...");
    EXPECT_STREQ(String(136), "잘못된 날짜/시간입니다");
    EXPECT_STREQ(String(102), "");
}

TEST(ClockfixDialogs, TheMainWindowKeepsItsFixedPlaces) {
    const platform::DialogTemplate& main = Dialog(kMainDialog);
    EXPECT_EQ(main.width, 420);
    EXPECT_EQ(main.height, 260);
    EXPECT_STREQ(main.title, "Clockfix");
    struct Place {
        int id, x, y, width, height;
    };
    for (const Place& p : {Place{1018, 124, 46, 276, 26}, Place{1063, 36, 104, 110, 26}, Place{1054, 60, 206, 140, 36}, Place{1020, 220, 206, 140, 36}}) {
        const auto* c = Control(main, p.id);
        ASSERT_NE(c, nullptr) << p.id;
        EXPECT_EQ(c->x, p.x) << p.id;
        EXPECT_EQ(c->y, p.y) << p.id;
        EXPECT_EQ(c->width, p.width) << p.id;
        EXPECT_EQ(c->height, p.height) << p.id;
    }
    EXPECT_STREQ(Control(main, 1058)->caption, "RDX-4400 시간 설정");
    EXPECT_STREQ(Control(main, 1037)->caption, "X");
    EXPECT_STREQ(Control(main, 1053)->caption, "저장장치선택");
    EXPECT_STREQ(Control(main, 1054)->caption, "시간설정");
    EXPECT_STREQ(Control(main, 1020)->caption, "SD카드 초기화");
    EXPECT_EQ(Control(main, 1018)->kind, platform::ControlKind::DropDownList);
    EXPECT_EQ(Control(main, 1065)->kind, platform::ControlKind::GroupBox);
    for (int id : {1063, 1064, 1069, 1070, 1071, 1072}) EXPECT_EQ(Control(main, id)->kind, platform::ControlKind::Edit) << id;
}

TEST(ClockfixDialogs, TheRecorderValueGroupsLieBelowTheWindow) {
    const platform::DialogTemplate& main = Dialog(kMainDialog);
    const int groups[4][3] = {{1015, 1016, 1021}, {1012, 1013, 1014}, {1017, 1022, 1028}, {1029, 1030, 1031}};
    for (const auto& group : groups) {
        for (int i = 0; i < 3; ++i) {
            const auto* radio = Control(main, group[i]);
            ASSERT_NE(radio, nullptr) << group[i];
            EXPECT_EQ(radio->kind, platform::ControlKind::RadioButton);
            EXPECT_GE(radio->y, 300);
            EXPECT_STREQ(radio->caption, i == 0 ? "고" : i == 1 ? "중" : "저");
            EXPECT_EQ((radio->style & platform::kStyleGroup) != 0, i == 0) << group[i];
        }
    }
    const auto* apply = Control(main, 1026);
    ASSERT_NE(apply, nullptr);
    EXPECT_STREQ(apply->caption, "적용");
    EXPECT_TRUE(apply->style & platform::kStyleHidden);
    EXPECT_TRUE(apply->style & platform::kStyleDisabled);
    int captions = 0;
    for (const platform::ControlTemplate& c : main.controls)
        if (c.kind == platform::ControlKind::GroupBox && c.y >= 300) ++captions;
    EXPECT_EQ(captions, 4);
}

TEST(ClockfixDialogs, AboutAndProgressWindows) {
    const platform::DialogTemplate& about = Dialog(kAboutDialog);
    ASSERT_NE(Control(about, platform::IDOK), nullptr);
    EXPECT_STREQ(Control(about, platform::IDOK)->caption, "확인");
    bool named = false;
    for (const platform::ControlTemplate& c : about.controls) named |= std::string(c.caption) == "Clockfix, 버전 1.0";
    EXPECT_TRUE(named);

    const platform::DialogTemplate& progress = Dialog(kProgressDialog);
    EXPECT_EQ(progress.width, 300);
    EXPECT_EQ(progress.height, 120);
    EXPECT_EQ(Control(progress, 1058)->kind, platform::ControlKind::Label);
    EXPECT_EQ(Control(progress, 1057)->kind, platform::ControlKind::ProgressBar);
    EXPECT_EQ(FindDialog(106), nullptr) << "the viewer's templates are not Clockfix's";
}

TEST(ClockfixBitmaps, AreStripsOfFourFramesTransparentRoundTheirShape) {
    const QImage close = Bitmap(kCloseButtonBitmap);
    const QImage push = Bitmap(kPushButtonBitmap);
    ASSERT_FALSE(close.isNull());
    ASSERT_FALSE(push.isNull());
    EXPECT_EQ(close.size(), QSize(22 * kBitmapStates, 22));
    EXPECT_EQ(push.size(), QSize(140 * kBitmapStates, 36));
    const QRgb magenta = qRgb(255, 0, 255);
    for (int state = 0; state < kBitmapStates; ++state) {
        EXPECT_EQ(close.pixel(state * 22, 0), magenta);
        EXPECT_NE(close.pixel(state * 22 + 11, 11), magenta);
        EXPECT_EQ(push.pixel(state * 140, 0), magenta);
        EXPECT_EQ(push.pixel(state * 140 + 139, 35), magenta);
        EXPECT_NE(push.pixel(state * 140 + 70, 18), magenta);
    }
    EXPECT_NE(push.pixel(70, 18), push.pixel(140 * 3 + 70, 18)) << "disabled looks different";
    EXPECT_TRUE(Bitmap(130).isNull());
}

TEST(ClockfixBackground, IsAGif89aBesideTheProgram) {
    QFile file(QStringLiteral(TRIPDESK_BIN_DIR "/Image/popup copy.gif"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.left(6), QByteArray("GIF89a"));
    QImageReader reader(file.fileName());
    EXPECT_EQ(reader.format(), QByteArray("gif"));
    const QImage image = reader.read();
    EXPECT_EQ(image.size(), QSize(420, 260));
}

} // namespace
} // namespace clockfix_res

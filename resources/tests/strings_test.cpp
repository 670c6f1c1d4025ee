// String tables: the quoted texts byte for byte (UTF-8), our own lines short enough for the
// places they are drawn, unknown ids empty.
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "resources/resources.h"

namespace {

struct Quoted {
    int id;
    const char* text;
};

const Quoted kQuoted[] = {
    {103, "Date : May 12 2011"},
    {106, "SW Version : 01. 00. 00"},
    {108, "선택된 파일이 없습니다."},
    {111, "파일이 위치해 있는 디렉토리 선택이 되어 있지 않습니다."},
    {112, "파일 선택을 취소하였습니다."},
    {114, "General View Mode에서는 암호화 된 file을 재생 할 수 없습니다.\nViewer를 다시 시작해 주세요.\n"},
    {resources::kEncryptedViewRefusalString,
     "Encryption View Mode에서는 일반 file은 재생 할 수 없습니다.\nViewer를 다시 시작해 주세요.\n"},
    {117, "상시파일"},
    {118, "이벤트파일"},
    {resources::kAppTitleString, "RDX4400 Viewer"},
};

// The width of a text in the stand-in of a Windows face at a point size (96 dots per inch).
int TextWidth(const char* text, double points) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("NanumGothic")});
    font.setPixelSize(static_cast<int>(points * 96.0 / 72.0 + 0.999));
    return QFontMetrics(font).horizontalAdvance(QString::fromUtf8(text));
}

TEST(Strings, QuotedTextsAreExact) {
    for (const Quoted& q : kQuoted) {
        SCOPED_TRACE(q.id);
        EXPECT_STREQ(resources::String(q.id), q.text);
    }
}

TEST(Strings, KoreanTextsAreUtf8) {
    // "상시파일" and "선택된 파일이 없습니다." spelled as bytes, independent of the source encoding.
    EXPECT_STREQ(resources::String(117), "\xEC\x83\x81\xEC\x8B\x9C\xED\x8C\x8C\xEC\x9D\xBC");
    EXPECT_STREQ(resources::String(108),
                 "\xEC\x84\xA0\xED\x83\x9D\xEB\x90\x9C\x20\xED\x8C\x8C\xEC\x9D\xBC\xEC\x9D\xB4\x20"
                 "\xEC\x97\x86\xEC\x8A\xB5\xEB\x8B\x88\xEB\x8B\xA4\x2E");
}

TEST(Strings, OwnLinesFitWhereTheyAreDrawn) {
    for (int id : {120, 121, 122}) {
        SCOPED_TRACE(id);
        const std::string text = resources::String(id);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find('\n'), std::string::npos);
        EXPECT_TRUE(QString::fromStdString(text).isValidUtf16());
    }
    // The notice starts 150 pixels left of the window's centre in 10-point Tahoma.
    EXPECT_LT(TextWidth(resources::String(120), 10), 300);
    // The information window is 372 wide and centres its lines in 14-point Tahoma.
    EXPECT_LT(TextWidth(resources::String(121), 14), 340);
    EXPECT_LT(TextWidth(resources::String(122), 14), 340);
}

TEST(Strings, UnknownIdsGiveEmptyText) {
    for (int id : {0, -1, 100, 119, 57345}) {
        SCOPED_TRACE(id);
        const char* text = resources::String(id);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(std::strlen(text), 0u);
    }
}

} // namespace

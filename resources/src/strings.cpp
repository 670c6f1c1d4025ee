#include "resources/resources.h"

namespace resources {
namespace {

struct StringResource {
    int id;
    const char* text;
};

constexpr StringResource kStrings[] = {
    {103, "Date : May 12 2011"},
    {106, "SW Version : 01. 00. 00"},
    {108, "선택된 파일이 없습니다."},
    {111, "파일이 위치해 있는 디렉토리 선택이 되어 있지 않습니다."},
    {112, "파일 선택을 취소하였습니다."},
    {114, "General View Mode에서는 암호화 된 file을 재생 할 수 없습니다.\nViewer를 다시 시작해 주세요.\n"},
    {kEncryptedViewRefusalString,
     "Encryption View Mode에서는 일반 file은 재생 할 수 없습니다.\nViewer를 다시 시작해 주세요.\n"},
    {117, "상시파일"},
    {118, "이벤트파일"},
    {120, "운전 중에는 조작하지 마십시오.  © TripDesk"},
    {121, "TripDesk for Linux"},
    {122, "RDX4400 블랙박스 전용 뷰어"},
    {kAppTitleString, "RDX4400 Viewer"},
};

} // namespace

const char* String(int id) {
    for (const StringResource& s : kStrings)
        if (s.id == id) return s.text;
    return "";
}

} // namespace resources

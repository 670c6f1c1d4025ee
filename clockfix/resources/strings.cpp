#include "clockfix_resources.h"

namespace clockfix_res {
namespace {

struct StringResource {
    int id;
    const char* text;
};

constexpr StringResource kStrings[] = {
    {101, "Clockfix 정보(&A)..."},
    {103, "초기화를 하면 설정치가 초기화되고,\n모든 영상 데이터가 삭제됩니다.\n초기화를 하시겠습니까?"},
    {121, "진행상황"},
    {125, "SD카드 초기화 완료"},
    {126, "포맷 에러"},
    {127, "포맷중"},
    {128, "완료"},
    {129, "잘못된 디스크입니다"},
    {131, "설정치가 변경되었습니다."},
    {133, "초기화중..."},
    {136, "잘못된 날짜/시간입니다"},
};

} // namespace

const char* String(int id) {
    for (const StringResource& s : kStrings)
        if (s.id == id) return s.text;
    return "";
}

} // namespace clockfix_res

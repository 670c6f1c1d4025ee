#include <cstdio>
#include <cstdlib>

#include "clockfix_resources.h"

namespace clockfix_res {
namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using platform::DialogTemplate;
using platform::kStyleDisabled;
using platform::kStyleGroup;
using platform::kStyleHidden;

constexpr ControlTemplate kAboutControls[] = {
    {-1, ControlKind::Label, "Clockfix, 버전 1.0", 20, 20, 200, 20},
    {platform::IDOK, ControlKind::PushButton, "확인", 170, 56, 70, 26, platform::kStyleDefault | kStyleGroup},
};

// The places of 1018, the clock boxes and the two action buttons are fixed for outside checks.
// The four recorder-value groups lie below the visible window.
constexpr ControlTemplate kMainControls[] = {
    {1058, ControlKind::Label, "RDX-4400 시간 설정", 16, 8, 300, 22},
    {1037, ControlKind::PushButton, "X", 390, 7, 22, 22},
    {1053, ControlKind::Label, "저장장치선택", 22, 49, 100, 20},
    {1018, ControlKind::DropDownList, "", 124, 46, 276, 26},
    {1065, ControlKind::GroupBox, "", 20, 88, 380, 100},
    {1063, ControlKind::Edit, "", 36, 104, 110, 26},
    {1064, ControlKind::Edit, "", 156, 104, 110, 26},
    {1069, ControlKind::Edit, "", 276, 104, 110, 26},
    {1070, ControlKind::Edit, "", 36, 148, 110, 26},
    {1071, ControlKind::Edit, "", 156, 148, 110, 26},
    {1072, ControlKind::Edit, "", 276, 148, 110, 26},
    {1054, ControlKind::PushButton, "시간설정", 60, 206, 140, 36},
    {1020, ControlKind::PushButton, "SD카드 초기화", 220, 206, 140, 36},
    {-1, ControlKind::GroupBox, "화질(Quality)", 10, 300, 95, 90},
    {1015, ControlKind::RadioButton, "고", 20, 320, 60, 18, kStyleGroup},
    {1016, ControlKind::RadioButton, "중", 20, 340, 60, 18},
    {1021, ControlKind::RadioButton, "저", 20, 360, 60, 18},
    {-1, ControlKind::GroupBox, "감도(Sensitivity)", 110, 300, 95, 90},
    {1012, ControlKind::RadioButton, "고", 120, 320, 60, 18, kStyleGroup},
    {1013, ControlKind::RadioButton, "중", 120, 340, 60, 18},
    {1014, ControlKind::RadioButton, "저", 120, 360, 60, 18},
    {-1, ControlKind::GroupBox, "음향(Sound)", 210, 300, 95, 90},
    {1017, ControlKind::RadioButton, "고", 220, 320, 60, 18, kStyleGroup},
    {1022, ControlKind::RadioButton, "중", 220, 340, 60, 18},
    {1028, ControlKind::RadioButton, "저", 220, 360, 60, 18},
    {-1, ControlKind::GroupBox, "프레임(Frame)", 310, 300, 95, 90},
    {1029, ControlKind::RadioButton, "고", 320, 320, 60, 18, kStyleGroup},
    {1030, ControlKind::RadioButton, "중", 320, 340, 60, 18},
    {1031, ControlKind::RadioButton, "저", 320, 360, 60, 18},
    {1026, ControlKind::PushButton, "적용", 170, 400, 80, 26, kStyleHidden | kStyleDisabled | kStyleGroup},
};

constexpr ControlTemplate kProgressControls[] = {
    {1058, ControlKind::Label, "", 20, 24, 260, 22},
    {1057, ControlKind::ProgressBar, "", 20, 64, 260, 20},
};

constexpr DialogTemplate kDialogs[] = {
    {kAboutDialog, 260, 100, "Clockfix 정보", "굴림", 9, platform::kDialogCaption, kAboutControls},
    {kMainDialog, 420, 260, "Clockfix", "굴림", 9, platform::kDialogPopup | platform::kDialogAppWindow, kMainControls},
    {kProgressDialog, 300, 120, "", "굴림", 9, platform::kDialogPopup, kProgressControls},
};

} // namespace

const DialogTemplate* FindDialog(int id) {
    for (const DialogTemplate& dialog : kDialogs)
        if (dialog.id == id) return &dialog;
    return nullptr;
}

const DialogTemplate& Dialog(int id) {
    const DialogTemplate* dialog = FindDialog(id);
    if (!dialog) {
        std::fprintf(stderr, "clockfix: no dialog template %d\n", id);
        std::abort();
    }
    return *dialog;
}

} // namespace clockfix_res

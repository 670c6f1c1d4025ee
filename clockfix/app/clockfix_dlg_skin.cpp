// The main window's skin: the template's controls replaced by skinned ones, their looks, and the
// background picture over grey.
#include "clockfix_dlg.h"

#include "clockfix_ids.h"
#include "clockfix_resources.h"
#include "skin/skin_lists.h"

namespace clockfix {
namespace {

const QColor kGrey{100, 100, 100};
const QColor kInk{28, 40, 60};
const QColor kFace{250, 252, 255};
const QColor kFrame{130, 154, 186};
const QColor kTitleInk{255, 255, 255};

} // namespace

void CClockfixDlg::WrapControls() {
    SetBackgroundColour(kGrey);
    SetBackgroundPicture(pictureFolder() + clockfix_res::kBackgroundPicture);
    SetDragEnabled(true);
    SetResizeEnabled(false);

    auto look = [](skin::SkinControl* control, QColor text) {
        if (control) control->SetColours(text, kFace, kFrame);
        return control;
    };
    look(WrapControl(IDC_HEADING), kTitleInk);
    if (skin::SkinControl* close = look(WrapControl(IDC_CLOSE), kTitleInk))
        close->SetStateImages(clockfix_res::Bitmap(clockfix_res::kCloseButtonBitmap), clockfix_res::kBitmapStates,
                              transparentColour());
    look(WrapControl(IDC_DRIVE_CAPTION), kInk);
    driveList_ = dynamic_cast<skin::SkinComboBox*>(look(WrapControl(IDC_DRIVE_LIST), kInk));
    look(WrapControl(IDC_CLOCK_GROUP), kInk);
    for (int id : kClockBoxIds) look(WrapControl(id), kInk);
    for (int id : {IDC_SET_TIME, IDC_FORMAT}) {
        if (skin::SkinControl* button = look(WrapControl(id), kTitleInk))
            button->SetStateImages(clockfix_res::Bitmap(clockfix_res::kPushButtonBitmap), clockfix_res::kBitmapStates,
                                   transparentColour());
    }
    // The apply button (1026) is left as the template has it, hidden and disabled.
    for (const auto& group : kValueGroups)
        for (int id : group) look(WrapControl(id), kInk);
}

} // namespace clockfix

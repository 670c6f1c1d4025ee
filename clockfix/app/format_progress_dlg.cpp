#include "format_progress_dlg.h"

#include "clockfix_ids.h"
#include "clockfix_resources.h"
#include "format_messages.h"
#include "platform/dialogs.h"
#include "platform/number_text.h"
#include "platform/trace.h"
#include "skin/skin_progress.h"

namespace clockfix {
namespace {

const QColor kGrey{100, 100, 100};
const QColor kInk{28, 40, 60};
const QColor kFace{250, 252, 255};
const QColor kFrame{130, 154, 186};

} // namespace

CFormatProgressDlg::CFormatProgressDlg(FormatTarget target, std::function<void()> onDone, QWidget* parent)
    : skin::SkinDialog(clockfix_res::Dialog(clockfix_res::kProgressDialog), parent),
      target_(std::move(target)),
      onDone_(std::move(onDone)) {
    setSwallowedKeys(platform::kSwallowPopupKeys);
}

CFormatProgressDlg::~CFormatProgressDlg() {
    if (worker_.joinable()) worker_.join();
}

bool CFormatProgressDlg::OnInitDialog() {
    skin::SkinDialog::OnInitDialog();
    SetBackgroundColour(kGrey);
    SetBackgroundPicture(pictureFolder() + clockfix_res::kBackgroundPicture);
    SetTitleText(clockfix_res::String(IDS_FORMAT_TITLE));
    if (skin::SkinControl* label = WrapControl(IDC_PROGRESS_LABEL)) label->SetColours(kInk, kFace, kFrame);
    bar_ = Wrap<skin::SkinProgress>(IDC_PROGRESS_BAR);
    SetDlgItemText(IDC_PROGRESS_LABEL, clockfix_res::String(IDS_PROGRESS));
    if (bar_) {
        bar_->SetRange(0, 100);
        bar_->SetPos(0);
    }
    worker_ = std::thread([target = target_, window = hwnd()] { RunFormatWorker(target, window); });
    return true;
}

int CFormatProgressDlg::RunModal() {
    const int result = DoModal();
    if (worker_.joinable()) worker_.join();
    return result;
}

platform::LRESULT CFormatProgressDlg::WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    switch (msg) {
    case WM_FORMAT_PROGRESS:
        SetDlgItemText(IDC_PROGRESS_LABEL, clockfix_res::String(IDS_FORMATTING));
        platform::OutputDebugString(platform::FormatText("[%d]\n", static_cast<int>(wParam)));
        if (bar_) bar_->SetPos(static_cast<int>(wParam));
        return 0;
    case WM_FORMAT_FAILED:
        Finish(IDS_FORMAT_ERROR);
        return 0;
    case WM_FORMAT_DONE:
        if (onDone_) onDone_();
        SetDlgItemText(IDC_PROGRESS_LABEL, clockfix_res::String(IDS_DONE));
        Finish(IDS_FORMAT_DONE);
        return 0;
    default:
        return skin::SkinDialog::WindowProc(msg, wParam, lParam);
    }
}

void CFormatProgressDlg::Finish(int message) {
    platform::MessageBox(this, clockfix_res::String(message), kMessageCaption);
    EndDialog(platform::IDOK);
}

} // namespace clockfix

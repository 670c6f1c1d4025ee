// The main window's format button: the question, then the progress window over the volume the
// selection handler accepted.
#include "clockfix_dlg.h"
#include "clockfix_ids.h"
#include "clockfix_resources.h"
#include "format_progress_dlg.h"
#include "platform/dialogs.h"

namespace clockfix {

void CClockfixDlg::FormatCard() {
    if (platform::MessageBox(this, clockfix_res::String(IDS_FORMAT_QUESTION), kMessageCaption, platform::MB_YESNO) !=
        platform::IDYES) {
        return;
    }
    // Nothing accepted: the worker's check fails on an empty target and the window says so.
    CFormatProgressDlg progress(selected_.value_or(FormatTarget{}), [this] { OnFormatDone(); }, this);
    progress.RunModal();
}

void CClockfixDlg::OnFormatDone() {
    values_ = card::RecorderValues{};
    ShowRecorderValues();
}

} // namespace clockfix

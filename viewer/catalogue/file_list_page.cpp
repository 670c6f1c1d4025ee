#include "catalogue/file_list_page.h"

#include <QEvent>
#include <QListWidget>
#include <cstdio>

#include "platform/controls.h"
#include "resources/resources.h"

namespace catalogue {

FileListPage::FileListPage(const FileListPageSpec& spec, QWidget* parent)
    : platform::Dialog(resources::Dialog(spec.dialogId), parent), spec_(spec) {
    Create();
    hide();
}

bool FileListPage::OnInitDialog() {
    CheckDlgButton(spec_.selectAllBoxId, false);
    SetDlgItemText(spec_.counterId, "");
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        // Controls report moves without a button held only when they track the mouse.
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
    return true;
}

bool FileListPage::OnCommand(int id, platform::UINT code) {
    if (id == spec_.checkListId && code == platform::CLBN_CHKCHANGE) {
        Recount();
        return true;
    }
    if (id == spec_.selectAllBoxId && code == platform::BN_CLICKED) {
        ApplySelectAll();
        return true;
    }
    return false;
}

bool FileListPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) Recount();
    return platform::Dialog::eventFilter(watched, event);
}

platform::CheckListBox* FileListPage::checkList() const {
    return item<platform::CheckListBox>(spec_.checkListId);
}

void FileListPage::AppendName(const std::string& name) { checkList()->AddString(name); }

int FileListPage::LineCount() const { return checkList()->GetCount(); }

bool FileListPage::IsTicked(int line) const { return checkList()->GetCheck(line) == 1; }

std::string FileListPage::LineText(int line) const { return checkList()->GetText(line); }

std::string FileListPage::CounterText() const { return GetDlgItemText(spec_.counterId); }

bool FileListPage::SelectAllSet() const { return IsDlgButtonChecked(spec_.selectAllBoxId); }

void FileListPage::Recount() {
    const int lines = LineCount();
    int ticked = 0;
    for (int line = 0; line < lines; ++line) ticked += IsTicked(line) ? 1 : 0;
    ShowCounter(ticked, lines);
}

void FileListPage::ApplySelectAll() {
    const int check = SelectAllSet() ? 1 : 0;
    platform::CheckListBox* list = checkList();
    const int lines = list->GetCount();
    for (int line = 0; line < lines; ++line) list->SetCheck(line, check);
    ShowCounter(check ? lines : 0, lines);
}

void FileListPage::ShowCounter(int ticked, int lines) {
    tickedCount_ = ticked;
    lineCount_ = lines;
    char text[64];
    std::snprintf(text, sizeof text, "[ %03d / %03d ]", ticked, lines);
    SetDlgItemText(spec_.counterId, text);
}

} // namespace catalogue

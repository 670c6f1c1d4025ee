#pragma once
// The list pages of the file-open window, one per tab: a check list of recording names in the
// order they were appended, a "Select All" box and the counter "[ ticked / lines ]". The members
// differ only in their template and control ids, which are rows of kFileListPages. A page knows
// no paths: the file-open window appends names and reads back which lines are ticked.
// User-interface thread.

#include <array>
#include <string>

#include "catalogue/recording_kind.h"
#include "platform/dialog.h"

namespace platform {
class CheckListBox;
}

namespace catalogue {

struct FileListPageSpec {
    RecordingKind kind;
    int dialogId;
    int checkListId;
    int selectAllBoxId;
    int selectAllLabelId;
    int counterId;
};

inline constexpr std::array<FileListPageSpec, 2> kFileListPages{{
    {RecordingKind::Infinity, 297, 1077, 1248, 1249, 1250},
    {RecordingKind::Event, 298, 1077, 1248, 1252, 1253},
}};

class FileListPage : public platform::Dialog {
public:
    // A child of parent (the tab control); built at once and left hidden.
    FileListPage(const FileListPageSpec& spec, QWidget* parent);

    const FileListPageSpec& spec() const { return spec_; }

    void AppendName(const std::string& name);  // a new line at the end, unticked
    int LineCount() const;
    bool IsTicked(int line) const;
    std::string LineText(int line) const;

    // Counts of the last recount (0 before the first).
    int TickedCount() const { return tickedCount_; }
    int CountedLines() const { return lineCount_; }
    std::string CounterText() const;
    bool SelectAllSet() const;

    platform::CheckListBox* checkList() const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, platform::UINT code) override;
    // Recounts whenever the pointer enters or moves over the page or one of its controls.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Recount();
    void ApplySelectAll();
    void ShowCounter(int ticked, int lines);

    const FileListPageSpec& spec_;
    int tickedCount_ = 0;
    int lineCount_ = 0;
};

class InfinityFileUp : public FileListPage {
public:
    explicit InfinityFileUp(QWidget* parent) : FileListPage(kFileListPages[0], parent) {}
};

class EventFileUp : public FileListPage {
public:
    explicit EventFileUp(QWidget* parent) : FileListPage(kFileListPages[1], parent) {}
};

} // namespace catalogue

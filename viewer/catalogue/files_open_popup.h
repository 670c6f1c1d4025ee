#pragma once
// The file-open window: the user chooses a folder, the tab's recordings of that folder are
// listed on the tab's page, and the ticked ones are handed to the owner (the main window) with
// WM_FILES_ADD. Modeless, created once by the owner and then only shown and hidden; closing it
// through its close button sends WM_FILES_POPUP_CLOSED (catalogue_messages.h).
// User-interface thread.

#include <array>
#include <string>
#include <vector>

#include "catalogue/recording_kind.h"
#include "platform/dialog.h"

namespace platform {
class TabControl;
}

namespace catalogue {

class FileListPage;

class FilesOpenPopup : public platform::Dialog {
public:
    static constexpr int kDialogId = 296;

    // Built at once, placed and hidden. owner receives the window's messages; parent is the Qt
    // parent (normally the owner's window).
    explicit FilesOpenPopup(platform::HWND owner, QWidget* parent = nullptr);

    // Keeps the channel mode (1 or 2) for the next scan and shows the window when hidden.
    void ShowForChannelMode(int channelMode);

    // What WM_FILES_ADD hands over: the kind of the tab the files were added from and their
    // paths in list order. SelectedPath gives an empty text outside 0 .. count-1.
    RecordingKind SelectionKind() const { return selectionKind_; }
    const std::vector<std::string>& SelectedPaths() const { return selectedPaths_; }
    std::string SelectedPath(std::size_t index) const;

    int ChannelMode() const { return channelMode_; }
    RecordingKind CurrentKind() const;
    // The page of a kind and the paths listed on it, line by line.
    FileListPage& Page(RecordingKind kind) const;
    const std::vector<std::string>& ListedPaths(RecordingKind kind) const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, platform::UINT code) override;
    void OnCancel() override;

private:
    struct KindListing {
        FileListPage* page = nullptr;
        std::string folder;               // the folder of the last scan that listed something
        std::vector<std::string> paths;   // path of page line i
    };

    void ChooseFolderAndScan();
    void ScanInto(RecordingKind kind, const std::string& folder);
    void ShowPageOf(RecordingKind kind);
    void AddTickedFiles();
    void ShowMessage(int stringId);
    KindListing& listing(RecordingKind kind);
    const KindListing& listing(RecordingKind kind) const;
    platform::TabControl* tabs() const;

    platform::HWND owner_;
    int channelMode_ = 2;
    std::array<KindListing, 2> listings_;
    RecordingKind selectionKind_ = RecordingKind::Infinity;
    std::vector<std::string> selectedPaths_;
};

} // namespace catalogue

#include "catalogue/files_open_popup.h"

#include <filesystem>
#include <system_error>

#include "catalogue/catalogue_messages.h"
#include "catalogue/file_list_page.h"
#include "catalogue/folder_scan.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/displays.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "resources/resources.h"

namespace catalogue {
namespace {

constexpr int kFolderEditId = 1244;
constexpr int kChooseFolderId = 1245;
constexpr int kTabsId = 1246;
constexpr int kAddFilesId = 1247;

constexpr int kNoFileSelectedString = 108;
constexpr int kNoFolderChosenString = 111;
constexpr int kChoiceCancelledString = 112;
constexpr std::array<int, 2> kTabCaptionStrings{117, 118};  // by RecordingKind

constexpr const char* kProfileSection = "KX_310T_Data";
constexpr const char* kFolderEntry = "Folder_Path";
constexpr const char* kBrowseTitle = "폴더 선택";

// The window is centred as if it were 360 x 448, and is 355 x 404.
constexpr int kCentringWidth = 360;
constexpr int kCentringHeight = 448;
constexpr int kWidth = 355;
constexpr int kHeight = 404;
constexpr int kPageInset = 5;

constexpr std::size_t indexOf(RecordingKind kind) { return static_cast<std::size_t>(kind); }

} // namespace

FilesOpenPopup::FilesOpenPopup(platform::HWND owner, QWidget* parent)
    : platform::Dialog(resources::Dialog(kDialogId), parent), owner_(owner) {
    setSwallowedKeys(platform::kSwallowPopupKeys);
    Create();
}

bool FilesOpenPopup::OnInitDialog() {
    const QRect desktop = platform::DesktopRect();
    MoveWindow(desktop.left() + (desktop.width() - kCentringWidth) / 2,
               desktop.top() + (desktop.height() - kCentringHeight) / 2, kWidth, kHeight);

    platform::TabControl* tabControl = tabs();
    for (std::size_t i = 0; i < kTabCaptionStrings.size(); ++i)
        tabControl->InsertItem(static_cast<int>(i), resources::String(kTabCaptionStrings[i]));
    tabControl->SetCurSel(static_cast<int>(RecordingKind::Infinity));

    const QRect area = tabControl->pageArea().adjusted(kPageInset, kPageInset, -kPageInset, -kPageInset);
    for (const FileListPageSpec& spec : kFileListPages) {
        auto* page = new FileListPage(spec, tabControl);
        page->setGeometry(QRect(area.topLeft(), page->size().boundedTo(area.size())));
        listing(spec.kind).page = page;
    }
    ShowPageOf(RecordingKind::Infinity);
    return true;
}

void FilesOpenPopup::ShowForChannelMode(int channelMode) {
    channelMode_ = channelMode;
    if (!isVisible()) show();
}

std::string FilesOpenPopup::SelectedPath(std::size_t index) const {
    return index < selectedPaths_.size() ? selectedPaths_[index] : std::string();
}

RecordingKind FilesOpenPopup::CurrentKind() const {
    return tabs()->GetCurSel() == static_cast<int>(RecordingKind::Event) ? RecordingKind::Event
                                                                          : RecordingKind::Infinity;
}

FileListPage& FilesOpenPopup::Page(RecordingKind kind) const { return *listing(kind).page; }

const std::vector<std::string>& FilesOpenPopup::ListedPaths(RecordingKind kind) const {
    return listing(kind).paths;
}

bool FilesOpenPopup::OnCommand(int id, platform::UINT code) {
    if (id == kChooseFolderId && code == platform::BN_CLICKED)
        ChooseFolderAndScan();
    else if (id == kAddFilesId && code == platform::BN_CLICKED)
        AddTickedFiles();
    else if (id == kTabsId && code == platform::TCN_SELCHANGE)
        ShowPageOf(CurrentKind());
    else
        return false;
    return true;
}

void FilesOpenPopup::OnCancel() {
    EndDialog(platform::IDCANCEL);
    // The owner may destroy this window while handling the message: nothing may follow it.
    platform::SendMessage(owner_, WM_FILES_POPUP_CLOSED, kFilesPopupClosedWParam,
                          kFilesPopupClosedLParam);
}

void FilesOpenPopup::ChooseFolderAndScan() {
    const RecordingKind kind = CurrentKind();
    platform::AppProfile& profile = platform::AppProfileInstance();
    std::error_code error;
    const platform::FolderBrowseRequest request{
        this, kBrowseTitle, profile.GetProfileString(kProfileSection, kFolderEntry),
        std::filesystem::current_path(error).string()};
    const std::optional<std::string> chosen = platform::BrowseForFolder(request);
    if (!chosen) {
        ShowMessage(kChoiceCancelledString);
        return;
    }
    if (chosen->empty()) {
        ShowMessage(kNoFolderChosenString);
        return;
    }
    profile.WriteProfileString(kProfileSection, kFolderEntry, *chosen);
    ScanInto(kind, *chosen);
    if (listing(kind).page->LineCount() == 0) ShowMessage(kNoFileSelectedString);
}

void FilesOpenPopup::ScanInto(RecordingKind kind, const std::string& folder) {
    const std::vector<std::string> names = ScanFolder(folder, kind, channelMode_);
    if (names.empty()) return;
    KindListing& target = listing(kind);
    target.folder = folder;
    SetDlgItemText(kFolderEditId, folder);
    for (const std::string& name : names) {
        target.page->AppendName(name);
        target.paths.push_back(JoinFolderPath(folder, name));
    }
}

void FilesOpenPopup::ShowPageOf(RecordingKind kind) {
    for (KindListing& each : listings_) each.page->setVisible(each.page == listing(kind).page);
    SetDlgItemText(kFolderEditId, listing(kind).folder);
}

void FilesOpenPopup::AddTickedFiles() {
    selectionKind_ = CurrentKind();
    const KindListing& source = listing(selectionKind_);
    selectedPaths_.clear();
    for (std::size_t line = 0; line < source.paths.size(); ++line)
        if (source.page->IsTicked(static_cast<int>(line))) selectedPaths_.push_back(source.paths[line]);
    if (selectedPaths_.empty()) {
        ShowMessage(kNoFileSelectedString);
        return;
    }
    platform::SendMessage(owner_, WM_FILES_ADD, selectedPaths_.size(), kFilesAddPaths);
}

void FilesOpenPopup::ShowMessage(int stringId) {
    platform::MessageBox(this, resources::String(stringId),
                         resources::String(resources::kAppTitleString), platform::MB_OK);
}

// Parking has no tab: asking for it is a programming error, caught by at().
FilesOpenPopup::KindListing& FilesOpenPopup::listing(RecordingKind kind) {
    return listings_.at(indexOf(kind));
}

const FilesOpenPopup::KindListing& FilesOpenPopup::listing(RecordingKind kind) const {
    return listings_.at(indexOf(kind));
}

platform::TabControl* FilesOpenPopup::tabs() const { return item<platform::TabControl>(kTabsId); }

} // namespace catalogue

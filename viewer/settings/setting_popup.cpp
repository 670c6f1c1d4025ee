#include "settings/setting_popup.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>

#include "capture/capture_save.h"
#include "platform/bitmap_button.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/whole_file.h"
#include "resources/resources.h"
#include "settings/alert_popup.h"
#include "settings/folder_text.h"
#include "settings/popup_frame.h"
#include "settings/setting_messages.h"
#include "settings/setting_save_popup.h"
#include "settings/setup_file.h"

namespace settings {

namespace {

constexpr int kOffsetX = 324;
constexpr int kOffsetY = 55;
constexpr int kCaptionBand = 35;
constexpr int kWidth = 377;
constexpr int kCloseButtonX = 320;

constexpr const char* kProfileSection = "KX_310T_Data";
constexpr const char* kCapturePathEntry = "Capture_Path";
constexpr const char* kBrowseTitle = "디렉토리를 선택하세요";   // please select a directory
constexpr std::string_view kPathPlaceholder = "%1";

struct ModeLayout {
    int height;
    int buttonsY;        // of 1047 and 1048
    int actionBitmap;    // of 1047; its pressed look is the next id
};

// By mode: capture, file save, viewer setting.
constexpr ModeLayout kModeLayouts[] = {
    {250, 197, resources::kBitmapCaptureAction},
    {250, 197, resources::kBitmapSaveAction},
    {600, 517, resources::kBitmapSaveAction},
};

constexpr int kActionX = 88;
constexpr int kExitX = 198;
constexpr int kActionWidth = 86;
constexpr int kActionHeight = 29;
constexpr QRect kChooseFolderPlace(231, 79, 120, 27);
constexpr QRect kDateTimeBoxPlace(26, 294, 245, 18);
constexpr double kDateTimeBoxPoints = 13.5;   // an 18-pixel font

// Shown in the Viewer Setting mode only: the radio groups and the date-and-time box.
constexpr int kSettingControls[] = {1054, 1078, 1079, 1080, 1081, 1082, 1083};
// Shown in the capture mode only: in the file-save mode they would lie over its squares.
constexpr int kCaptureSourceControls[] = {1084, 1085};

struct RadioGroup {
    std::int32_t SettingChoices::*choice;
    std::array<int, 3> ids;   // button of choice 0, 1, 2; 0 past the group's end
};

constexpr RadioGroup kRadioGroups[] = {
    {&SettingChoices::channel, {1078, 1079, 0}},
    {&SettingChoices::tvOut, {1080, 1081, 0}},
    {&SettingChoices::driveMode, {1082, 1083, 0}},
    {&SettingChoices::language, {1241, 1242, 1243}},
    {&SettingChoices::captureSource, {1084, 1085, 0}},
};

const ModeLayout& LayoutOf(SettingMode mode) {
    return kModeLayouts[static_cast<std::size_t>(mode)];
}

std::string FileErrorMessage(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    std::string text = SettingPopup::kFileErrorText;
    text.replace(text.find(kPathPlaceholder), kPathPlaceholder.size(), (error ? path : full).string());
    return text;
}

} // namespace

SettingPopup::SettingPopup(QWidget* parent)
    : platform::Dialog(resources::Dialog(kDialogId), parent),
      backBuffer_(kBufferWidth, kBufferHeight, QImage::Format_RGB32),
      sliderPieces_(LoadSliderPieces()) {
    setSwallowedKeys(platform::kSwallowPopupKeys);
    setCaptionBand(kCaptionBand);
    backBuffer_.fill(Qt::black);
    Create();
}

bool SettingPopup::OnInitDialog() {
    PlaceCloseButton(*this, kCloseId, kCloseButtonX);
    savePopup_ = new SettingSavePopup(this);
    return true;
}

// --- configuration and choices ------------------------------------------------------------------

void SettingPopup::ApplyConfig(const ViewerConfig& record) {
    live_ = WithAppliedLevels(record);
    for (int i = 0; i < kSliderCount; ++i)
        sliderPositions_[i] = live_.*kSettingSliders[i].level * kSettingSliders[i].step;
    choices_.channel = 0;
    PushChoices();
    ShowCurrentTime();
}

void SettingPopup::PushChoices() {
    // A choice outside its group leaves every button of the group unchecked.
    for (const RadioGroup& group : kRadioGroups) {
        const std::int32_t choice = choices_.*group.choice;
        for (std::size_t i = 0; i < group.ids.size() && group.ids[i] != 0; ++i)
            CheckDlgButton(group.ids[i], static_cast<std::int32_t>(i) == choice);
    }
}

void SettingPopup::PullChoices() {
    // A group with no button checked reads as -1.
    for (const RadioGroup& group : kRadioGroups) {
        std::int32_t& choice = choices_.*group.choice;
        choice = -1;
        for (std::size_t i = 0; i < group.ids.size() && group.ids[i] != 0; ++i)
            if (IsDlgButtonChecked(group.ids[i])) choice = static_cast<std::int32_t>(i);
    }
}

void SettingPopup::ShowCurrentTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%4d년 %02d월 %02d일 %02d: %02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    SetDlgItemText(kDateTimeBoxId, text);
}

std::string SettingPopup::DateTimeText() const {
    return GetDlgItemText(kDateTimeBoxId);
}

void SettingPopup::SetOwnerPosition(int x, int y, int width, int height) {
    ownerPosition_ = QRect(x, y, width, height);
    move(x + kOffsetX, y + kOffsetY);
}

void SettingPopup::ShowAlert(int number) {
    if (!alert_) alert_ = new AlertPopupDlg(this);
    alert_->Show(number, ownerPosition_.x(), ownerPosition_.y());
}

settings::ConfigTail SettingPopup::ConfigTail() const {
    const ExportTarget& capture = CaptureTarget();
    const ExportTarget& clip = ClipTarget();
    settings::ConfigTail tail;
    tail.captureFolder = capture.folder;
    tail.captureFront = capture.front;
    tail.captureRear = capture.rear;
    tail.clipFolder = clip.folder;
    tail.clipFront = clip.front;
    tail.clipRear = clip.rear;
    tail.saveSettingsFolder = savePopup_->Folder();
    return tail;
}

// --- modes --------------------------------------------------------------------------------------

void SettingPopup::Arrange() {
    if (mode_ == SettingMode::Idle) return;
    MoveWindow(ownerPosition_.x() + kOffsetX, ownerPosition_.y() + kOffsetY, kWidth, LayoutOf(mode_).height);
    ArrangeButtons();
    ArrangeModeControls();
    Redraw();
}

void SettingPopup::ArrangeButtons() {
    const ModeLayout& layout = LayoutOf(mode_);
    platform::BitmapButton* action = bitmapButton(kActionId);
    action->LoadBitmaps(resources::Bitmap(layout.actionBitmap), resources::Bitmap(layout.actionBitmap + 1));
    action->MoveWindow(kActionX, layout.buttonsY, kActionWidth, kActionHeight);
    platform::BitmapButton* exit = bitmapButton(kExitId);
    exit->LoadBitmaps(resources::Bitmap(resources::kBitmapExitAction),
                      resources::Bitmap(resources::kBitmapExitAction + 1));
    exit->MoveWindow(kExitX, layout.buttonsY, kActionWidth, kActionHeight);

    platform::BitmapButton* chooseFolder = bitmapButton(kChooseFolderId);
    chooseFolder->LoadBitmaps(resources::Bitmap(resources::kBitmapSelectFolder),
                              resources::Bitmap(resources::kBitmapSelectFolder + 1));
    chooseFolder->MoveWindow(kChooseFolderPlace.x(), kChooseFolderPlace.y(), kChooseFolderPlace.width(),
                             kChooseFolderPlace.height());
    ShowDlgItem(kChooseFolderId, mode_ != SettingMode::ViewerSetting);
}

void SettingPopup::ArrangeModeControls() {
    const bool setting = mode_ == SettingMode::ViewerSetting;
    for (int id : kSettingControls) ShowDlgItem(id, setting);
    for (int id : kCaptureSourceControls) ShowDlgItem(id, mode_ == SettingMode::Capture);
    if (!setting) return;
    QWidget* box = GetDlgItem(kDateTimeBoxId);
    box->setFont(platform::WinFont("Tahoma", kDateTimeBoxPoints));
    box->setGeometry(kDateTimeBoxPlace);
    box->setFocus();
}

void SettingPopup::Show(int visible) {
    if (visible == visible_) return;
    visible_ = visible;
    setVisible(visible == kShown);
}

void SettingPopup::GoIdle() {
    mode_ = SettingMode::Idle;
    if (dragging_) ReleaseCapture();
    dragging_ = false;
    Show(kHidden);
}

// --- buttons ------------------------------------------------------------------------------------

bool SettingPopup::OnCommand(int id, platform::UINT code) {
    if (code != platform::BN_CLICKED) return false;
    const bool buttonOfThisWindow = id == kCloseId || id == kChooseFolderId || id == kActionId || id == kExitId;
    if (!buttonOfThisWindow) return false;
    // While the save-settings window is up, this window's buttons do nothing.
    if (savePopup_->Visible() == SettingSavePopup::kShown) return true;
    switch (id) {
    case kCloseId: RunClose(); break;
    case kChooseFolderId: ChooseFolder(); break;
    case kActionId: RunAction(); break;
    case kExitId: RunExit(); break;
    }
    return true;
}

void SettingPopup::RunAction() {
    switch (mode_) {
    case SettingMode::Capture:
        Show(kHidden);
        PullChoices();   // the capture takes its picture from the chosen source
        if (captureFrames_)
            capture::SaveChosenPicture(*captureFrames_, choices_.captureSource, CaptureTarget().folder,
                                       parentWidget());
        GoIdle();
        break;
    case SettingMode::FileSave: {
        const ExportTarget& clip = ClipTarget();
        auto* owner = qobject_cast<platform::Window*>(parentWidget());
        platform::SendMessage(owner ? owner->hwnd() : platform::kNoWindow, WM_SAVE_CLIP, clip.front ? 1 : 0,
                              clip.rear ? 1 : 0);
        Show(kHidden);
        GoIdle();
        break;
    }
    case SettingMode::ViewerSetting:
        // Stays in this mode until exit or close; ok in the save-settings window writes the file.
        live_.timeTextOnSave = DateTimeText();
        savePopup_->SetReceiver(hwnd());
        savePopup_->Place(ownerPosition_.x(), ownerPosition_.y());
        savePopup_->Show(SettingSavePopup::kShown);
        break;
    case SettingMode::Idle:
        break;
    }
}

void SettingPopup::RunExit() {
    if (mode_ == SettingMode::ViewerSetting) live_.timeTextOnClose = DateTimeText();
    GoIdle();
}

void SettingPopup::RunClose() {
    if (mode_ == SettingMode::ViewerSetting) live_.timeTextOnClose.clear();
    GoIdle();
}

ExportTarget& SettingPopup::ModeTarget() {
    return targets_[mode_ == SettingMode::Capture ? 0 : 1];
}

void SettingPopup::ChooseFolder() {
    if (mode_ != SettingMode::Capture && mode_ != SettingMode::FileSave) return;
    platform::AppProfile& profile = platform::AppProfileInstance();
    ExportTarget& target = ModeTarget();
    target.folder = profile.GetProfileString(kProfileSection, kCapturePathEntry);
    std::error_code error;
    const platform::FolderBrowseRequest request{this, kBrowseTitle, target.folder,
                                                std::filesystem::current_path(error).string()};
    const std::optional<std::string> chosen = platform::BrowseForFolder(request);
    // A choice without a file-system path is no folder to write into: kept as a cancel.
    if (chosen && !chosen->empty()) {
        target.folder = FolderEndingInSeparator(*chosen);
        profile.WriteProfileString(kProfileSection, kCapturePathEntry, target.folder);
    }
    Redraw();
}

// --- the recorder setup file --------------------------------------------------------------------

platform::LRESULT SettingPopup::WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    const int x = platform::GET_X_LPARAM(lParam);
    const int y = platform::GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_WRITE_SETUP:
        WriteSetupFile();
        return 0;
    case platform::WM_LBUTTONDOWN:
        OnLButtonDown(x, y);
        return 0;
    case platform::WM_MOUSEMOVE:
        OnMouseMove(x, y);
        return 0;
    case platform::WM_LBUTTONUP:
        OnLButtonUp();
        return 0;
    default:
        return platform::Dialog::WindowProc(msg, wParam, lParam);
    }
}

void SettingPopup::WriteSetupFile() {
    live_.timeTextOnClose = DateTimeText();
    PullChoices();
    const std::filesystem::path path = SetupFilePath(savePopup_->Folder());
    // Never reported written when it is not: the failure is shown and the window stays open.
    if (platform::WriteWholeFile(path, SetupFileLine(live_, choices_)))
        platform::MessageBox(this, FileErrorMessage(path), resources::String(resources::kAppTitleString),
                             platform::MB_OK | platform::MB_ICONWARNING);
}

} // namespace settings

#include "settings/setting_save_popup.h"

#include <QPainter>
#include <filesystem>
#include <optional>

#include "platform/bitmap_button.h"
#include "platform/dialogs.h"
#include "platform/messages.h"
#include "resources/resources.h"
#include "settings/folder_text.h"
#include "settings/popup_frame.h"
#include "settings/setting_messages.h"

namespace settings {

namespace {

constexpr int kOffsetX = 324;
constexpr int kOffsetY = 263;
constexpr int kCaptionBand = 35;
constexpr int kCloseButtonX = 320;
constexpr int kFolderTextY = 80;
constexpr const char* kTitle = "Save";
constexpr const char* kBrowseTitle = "디렉토리를 선택하세요";   // please select a directory

struct PlacedButton {
    int id;
    int bitmap;   // the pressed look is the next id
    int x, y, width, height;
};

constexpr PlacedButton kButtons[] = {
    {SettingSavePopup::kChooseFolderId, resources::kBitmapSelectFolder, 231, 79, 120, 27},
    {SettingSavePopup::kOkId, resources::kBitmapOkAction, 88, 201, 86, 29},
    {SettingSavePopup::kExitId, resources::kBitmapExitAction, 198, 201, 86, 29},
};

} // namespace

SettingSavePopup::SettingSavePopup(QWidget* parent) : platform::Dialog(resources::Dialog(kDialogId), parent) {
    setSwallowedKeys(platform::kSwallowPopupKeys);
    setCaptionBand(kCaptionBand);
    Create();
}

bool SettingSavePopup::OnInitDialog() {
    PlaceCloseButton(*this, kCloseId, kCloseButtonX);
    for (const PlacedButton& placed : kButtons) {
        platform::BitmapButton* button = bitmapButton(placed.id);
        button->LoadBitmaps(resources::Bitmap(placed.bitmap), resources::Bitmap(placed.bitmap + 1));
        button->MoveWindow(placed.x, placed.y, placed.width, placed.height);
    }
    DrawPicture();
    return true;
}

void SettingSavePopup::Place(int ownerX, int ownerY) {
    move(ownerX + kOffsetX, ownerY + kOffsetY);
}

void SettingSavePopup::Show(int visible) {
    if (visible == visible_) return;
    visible_ = visible;
    setVisible(visible == kShown);
}

bool SettingSavePopup::OnCommand(int id, platform::UINT code) {
    if (code != platform::BN_CLICKED) return false;
    switch (id) {
    case kChooseFolderId:
        ChooseFolder();
        return true;
    case kOkId:
        WriteThroughReceiver();
        return true;
    case kExitId:
    case kCloseId:
        Show(kHidden);
        return true;
    default:
        return false;
    }
}

void SettingSavePopup::ChooseFolder() {
    std::error_code error;
    const platform::FolderBrowseRequest request{this, kBrowseTitle, folder_,
                                                std::filesystem::current_path(error).string()};
    const std::optional<std::string> chosen = platform::BrowseForFolder(request);
    // A choice without a file-system path is no folder to write into: kept as a cancel.
    if (!chosen || chosen->empty()) return;
    folder_ = FolderWithAddedSeparator(*chosen);
    DrawPicture();
    update();
}

void SettingSavePopup::WriteThroughReceiver() {
    // Sent, not posted: the file is written (or its failure reported) before this hides.
    platform::SendMessage(receiver_, WM_WRITE_SETUP, 0, 0);
    Show(kHidden);
}

void SettingSavePopup::DrawPicture() {
    picture_ = QImage(size(), QImage::Format_RGB32);
    QPainter painter(&picture_);
    DrawPopupFace(painter, picture_.size());
    DrawPopupTitle(painter, kTitle);
    DrawFolderBox(painter, folder_, kFolderTextY);
}

void SettingSavePopup::OnEraseBackground(QPainter& painter) {
    painter.drawImage(0, 0, picture_);
}

} // namespace settings

#include "settings/popup_frame.h"

#include "platform/bitmap_button.h"
#include "platform/dialog.h"
#include "platform/fonts.h"
#include "platform/gdi.h"
#include "resources/resources.h"
#include "settings/folder_text.h"

namespace settings {

namespace {
constexpr int kTitleX = 16;
constexpr int kTitleY = 9;
constexpr int kTitlePoints = 16;
constexpr int kRuleLeft = 11;
constexpr int kRuleRight = 361;   // the rule ends before this column, as a GDI line does
constexpr int kRuleTop = 39;
constexpr int kRuleThickness = 2;
constexpr int kCloseBitmap = 207;
constexpr int kClosePressedBitmap = 209;
constexpr int kCloseWidth = 45;
constexpr int kCloseHeight = 25;
constexpr int kFolderCaptionPoints = 14;
constexpr int kFolderTextPoints = 10;   // 13 Korean characters and "..." fit the box
constexpr int kFolderCaptionX = 21;
constexpr int kFolderCaptionY = 53;
constexpr int kFolderTextX = 30;
constexpr QRect kFolderBox(21, 79, 206, 27);   // (21, 79) to (227, 106)
} // namespace

void DrawPopupFace(QPainter& painter, QSize size) {
    painter.fillRect(QRect(QPoint(0, 0), size), kPopupBorderGrey);
    painter.fillRect(QRect(1, 1, size.width() - 2, size.height() - 2), Qt::black);
}

void DrawPopupTitle(QPainter& painter, std::string_view title) {
    painter.setFont(platform::WinFont("Tahoma", kTitlePoints));
    painter.setPen(kPopupTitleGreen);
    platform::TextOut(painter, kTitleX, kTitleY, title);
    painter.fillRect(kRuleLeft, kRuleTop, kRuleRight - kRuleLeft, kRuleThickness, kPopupRuleGrey);
}

void DrawFolderBox(QPainter& painter, std::string_view folder, int textY) {
    painter.setFont(platform::WinFont("Tahoma", kFolderCaptionPoints));
    painter.setPen(kPopupBorderGrey);
    platform::TextOut(painter, kFolderCaptionX, kFolderCaptionY, "Save Directory");
    painter.fillRect(kFolderBox, kFolderBoxGrey);
    painter.save();
    painter.setClipRect(kFolderBox);
    painter.setFont(platform::WinFont("Tahoma", kFolderTextPoints));
    painter.setPen(Qt::white);
    platform::TextOut(painter, kFolderTextX, textY, ShownFolder(folder));
    painter.restore();
}

void PlaceCloseButton(platform::Dialog& dialog, int buttonId, int x) {
    platform::BitmapButton* close = dialog.bitmapButton(buttonId);
    if (!close) return;
    close->LoadBitmaps(resources::Bitmap(kCloseBitmap), resources::Bitmap(kClosePressedBitmap));
    close->SizeToContent();
    close->MoveWindow(x, 0, kCloseWidth, kCloseHeight);
}

} // namespace settings

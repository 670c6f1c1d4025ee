#include "settings/dialog_channel.h"

#include <QLineEdit>
#include <QPainter>
#include <QPalette>

#include "platform/bitmap_button.h"
#include "resources/resources.h"

namespace settings {

namespace {
constexpr int kTemplate = 276;
constexpr int IDC_ONE_CHANNEL = 1092;
constexpr int IDC_TWO_CHANNEL = 1093;
constexpr int IDC_VIEW_MODE_NO = 1239;
constexpr int IDC_VIEW_MODE_YES = 1238;
constexpr int IDC_PASSWORD = 1138;
constexpr int kPasswordCapacity = 8;
} // namespace

CDialogChannel::CDialogChannel(QWidget* parent) : platform::Dialog(resources::Dialog(kTemplate), parent) {
    // White captions on black. Only the captions: a radio's mark keeps the colours of its own
    // face, so that the checked one shows.
    QPalette captions = palette();
    captions.setColor(QPalette::WindowText, Qt::white);
    setPalette(captions);
}

bool CDialogChannel::OnInitDialog() {
    CheckDlgButton(channelChoice_ == 0 ? IDC_ONE_CHANNEL : IDC_TWO_CHANNEL, true);
    CheckDlgButton(viewModeChoice_ == 0 ? IDC_VIEW_MODE_NO : IDC_VIEW_MODE_YES, true);
    if (auto* password = item<QLineEdit>(IDC_PASSWORD)) password->setMaxLength(kPasswordCapacity);
    if (auto* ok = bitmapButton(platform::IDOK)) {
        ok->LoadBitmaps(okBitmap_);
        ok->SizeToContent();
    }
    return true;
}

void CDialogChannel::OnOK() {
    channelChoice_ = IsDlgButtonChecked(IDC_TWO_CHANNEL) ? 1 : 0;
    viewModeChoice_ = IsDlgButtonChecked(IDC_VIEW_MODE_YES) ? 1 : 0;
    password_ = GetDlgItemText(IDC_PASSWORD);
    platform::Dialog::OnOK();
}

void CDialogChannel::OnSystemClose() {
    // Closing through the system menu accepts the choice.
    OnOK();
}

void CDialogChannel::OnEraseBackground(QPainter& painter) {
    painter.fillRect(rect(), Qt::black);
}

} // namespace settings

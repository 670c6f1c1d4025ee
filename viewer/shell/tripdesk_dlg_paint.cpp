// Painting of the main window: the back buffer is the only picture; erasing redraws the parts
// that change into it, painting copies it to the screen.

#include <QPainter>
#include <QTimer>

#include "platform/fonts.h"
#include "platform/gdi.h"
#include "shell/main_window_ids.h"
#include "shell/tripdesk_dlg.h"
#include "telemetry/draw_gps.h"

namespace shell {

namespace {
constexpr int kSpeedLabelX = 660;
constexpr int kSpeedLabelY = 480;
constexpr int kSpeedLabelBgWidth = 50;
constexpr int kSpeedLabelBgHeight = 30;
const QColor kSpeedLabelColour(255, 150, 150);
} // namespace

void CTripDeskDlg::OnEraseBackground(QPainter& painter) {
    if (!started_) {
        painter.drawImage(0, 0, splash_);
        if (!splashScheduled_) {
            splashScheduled_ = true;
            // The splash animates outside the paint event, which must not paint recursively.
            QTimer::singleShot(0, this, [this] { ShowSplash(); });
        }
        return;
    }
    RedrawBackBufferParts();
}

void CTripDeskDlg::RedrawBackBufferParts() {
    QPainter buffer(&backBuffer_);
    DrawList(buffer);
    buffer.end();
    RestoreSpeedLabelBackground();
    if (gpsPanel_) gpsPanel_->update();
}

void CTripDeskDlg::OnPaint(QPainter& painter) {
    if (!started_) return;
    DrawSpeedLabel();
    painter.drawImage(0, 0, backBuffer_);
}

void CTripDeskDlg::RestoreSpeedLabelBackground() {
    if (backBuffer_.isNull()) return;
    QPainter buffer(&backBuffer_);
    buffer.drawImage(QPoint(kSpeedLabelX, kSpeedLabelY), speedLabelBg_,
                     QRect(0, 0, kSpeedLabelBgWidth, kSpeedLabelBgHeight));
    speedLabel_ = speed_.label();
}

void CTripDeskDlg::DrawSpeedLabel() {
    QPainter buffer(&backBuffer_);
    buffer.setFont(platform::WinFont("Tahoma", 12));
    buffer.setPen(kSpeedLabelColour);
    platform::TextOut(buffer, kSpeedLabelX, kSpeedLabelY, speedLabel_);
}

} // namespace shell

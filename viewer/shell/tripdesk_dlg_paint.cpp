// Painting of the main window: the back buffer is the only picture. Whatever changes is drawn
// into it when it changes and its area invalidated; painting only copies it to the screen and
// never schedules anything.

#include <QPainter>
#include <QShowEvent>
#include <QTimer>

#include "platform/fonts.h"
#include "platform/gdi.h"
#include "shell/main_window_areas.h"
#include "shell/main_window_ids.h"
#include "shell/tripdesk_dlg.h"

namespace shell {

namespace {
constexpr int kSpeedLabelBgWidth = 50;
constexpr int kSpeedLabelBgHeight = 30;
const QColor kSpeedLabelColour(255, 150, 150);
} // namespace

void CTripDeskDlg::showEvent(QShowEvent* event) {
    platform::Dialog::showEvent(event);
    if (started_ || splashScheduled_) return;
    splashScheduled_ = true;
    // The splash animates once the window is on the screen, outside any paint.
    QTimer::singleShot(0, this, [this] { ShowSplash(); });
}

void CTripDeskDlg::OnEraseBackground(QPainter& painter) {
    if (!started_) painter.drawImage(0, 0, splash_);
}

void CTripDeskDlg::OnPaint(QPainter& painter) {
    if (started_) painter.drawImage(0, 0, backBuffer_);
}

void CTripDeskDlg::RedrawSpeedLabel() {
    if (backBuffer_.isNull()) return;
    const QRect area = ToQRect(kSpeedLabelArea);
    QPainter buffer(&backBuffer_);
    buffer.drawImage(area.topLeft(), speedLabelBg_, QRect(0, 0, kSpeedLabelBgWidth, kSpeedLabelBgHeight));
    buffer.setFont(platform::WinFont("Tahoma", 12));
    buffer.setPen(kSpeedLabelColour);
    platform::TextOut(buffer, area.left(), area.top(), speed_.label());
    buffer.end();
    InvalidateRect(area);
}

} // namespace shell

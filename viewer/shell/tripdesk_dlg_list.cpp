// The play list in the lower right of the main window: drawing into the back buffer, and the two
// ways recordings come in.

#include <QPainter>
#include <QRegion>

#include "catalogue/catalogue_messages.h"
#include "catalogue/files_open_popup.h"
#include "catalogue/playlist_label.h"
#include "platform/fonts.h"
#include "platform/gdi.h"
#include "platform/trace.h"
#include "resources/resources.h"
#include "shell/main_window_areas.h"
#include "shell/tripdesk_dlg.h"

namespace shell {

namespace {
const QColor kHeaderLine(35, 35, 35);
const QColor kHeaderText(150, 150, 150);
const QColor kRowText(150, 150, 150);
const QColor kHighlight(170, 255, 75);
const QColor kScrollTrack(35, 35, 35);
const QColor kScrollThumb(135, 135, 135);

struct HeaderLabel {
    const char* text;
    int x;
};
constexpr HeaderLabel kHeaderLabels[] = {{"Type", 606}, {"Date", 672}, {"File Name", 811}};
} // namespace

void CTripDeskDlg::RedrawList(std::initializer_list<PixelRect> restored, std::initializer_list<PixelRect> invalidated) {
    if (backBuffer_.isNull()) return;
    QPainter buffer(&backBuffer_);
    QRegion clip;
    for (const PixelRect& area : restored) {
        const QRect rect = ToQRect(area);
        buffer.drawImage(rect.topLeft(), skin_, rect);
        clip += rect;
    }
    // Only what was restored is drawn again, so that text never piles up on itself.
    buffer.setClipRegion(clip);
    DrawList(buffer);
    buffer.end();
    for (const PixelRect& area : invalidated) InvalidateRect(ToQRect(area));
}

void CTripDeskDlg::DrawList(QPainter& buffer) {
    buffer.setPen(QPen(kHeaderLine, 1));
    buffer.drawLine(604, 576, 987, 576);
    buffer.drawLine(647, 550, 647, 753);
    buffer.drawLine(736, 550, 736, 753);
    buffer.setFont(platform::WinFont("Tahoma", 14));
    buffer.setPen(kHeaderText);
    for (const HeaderLabel& label : kHeaderLabels) platform::TextOut(buffer, label.x, 551, label.text);

    if (!list_.empty()) {
        const std::string title = list_.titleText();
        if (!title.empty()) {
            buffer.setFont(platform::WinFont("Tahoma", 16));
            buffer.setPen(Qt::white);
            platform::TextOut(buffer, 25, 54, title);
        }
    }

    buffer.setFont(platform::WinFont("Tahoma", 12));
    const int mode = channelMode();
    for (const PlayList::Row& row : list_.visibleRows()) {
        const int i = (row.rect.top - PlayList::kFirstRow.top) / PlayList::kRowHeight;
        if (row.highlighted) buffer.fillRect(ToQRect(row.rect), kHighlight);
        buffer.setPen(row.highlighted ? QColor(Qt::black) : kRowText);
        const catalogue::PlaylistLabel label = catalogue::labelFor(list_.paths()[row.entryIndex], mode);
        platform::TextOut(buffer, 652, 578 + 22 * i, label.date);
        platform::TextOut(buffer, 740, 578 + 22 * i, label.name);
        buffer.drawImage(QRect(618, 581 + 22 * i, 14, 14), resources::Bitmap(label.iconId));
    }

    buffer.fillRect(ToQRect(PlayList::kScrollTrack), kScrollTrack);
    if (list_.scrollThumb()) buffer.fillRect(ToQRect(*list_.scrollThumb()), kScrollThumb);
    buffer.drawImage(QPoint(971, 578), scrollUp_);
    buffer.drawImage(QPoint(971, 739), scrollDown_);
}

void CTripDeskDlg::ListAreaChanged() {
    RedrawList({kListRestoreArea, kTitleAreaAfterAdd}, {kListArea, kTitleAreaAfterAdd});
}

void CTripDeskDlg::OnDropFiles(const std::vector<std::string>& paths) {
    const int added = list_.addDropped(paths);
    platform::Trace("[OnDropFiles] %zu dropped, %d added, %d in the list\n", paths.size(), added, list_.size());
    ListAreaChanged();
}

platform::LRESULT CTripDeskDlg::OnFilesAdd(platform::WPARAM count, platform::LPARAM kind) {
    if (kind == catalogue::kFilesAddPaths && filesOpen_) {
        const std::vector<std::string>& selected = filesOpen_->SelectedPaths();
        const std::size_t n = std::min<std::size_t>(count, selected.size());
        list_.addSelected(std::span(selected.data(), n));
    } else {
        list_.updateScrollThumb();
    }
    ListAreaChanged();
    return 1;
}

} // namespace shell

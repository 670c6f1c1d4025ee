#include "platform/gdi.h"

#include <QFontMetrics>
#include <QString>

namespace platform {

namespace {
QRect TextCell(const QPainter& painter, int x, int y, const QString& text) {
    const QFontMetrics metrics(painter.font());
    return QRect(x, y, metrics.horizontalAdvance(text), metrics.height());
}
} // namespace

void TextOut(QPainter& painter, int x, int y, std::string_view utf8) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    painter.drawText(TextCell(painter, x, y, text), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void TextOutOpaque(QPainter& painter, int x, int y, std::string_view utf8, const QColor& background) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const QRect cell = TextCell(painter, x, y, text);
    painter.fillRect(cell, background);
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

} // namespace platform

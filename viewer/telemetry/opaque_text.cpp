#include "telemetry/opaque_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include "platform/gdi.h"

namespace telemetry {

QRect OpaqueTextOut(QPainter& painter, QPoint at, std::string_view utf8, const QColor& background) {
    platform::TextOutOpaque(painter, at.x(), at.y(), utf8, background);
    const QFontMetrics metrics(painter.font());
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return QRect(at, QSize(metrics.horizontalAdvance(text), metrics.height()));
}

} // namespace telemetry

#include "capture/window_print.h"

#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include "platform/dialogs.h"
#include "resources/resources.h"

namespace capture {

namespace {
// The main window's fixed size: the part of the picture that is printed.
constexpr QRect kSourceArea(0, 0, 1020, 780);
} // namespace

QImage WindowPicture(QWidget& window) {
    QImage picture(window.size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    window.render(&picture);
    return picture;
}

PrintResult PrintPicture(const QImage& picture, QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(kPrintDocumentName);
    QPainter painter;
    if (!painter.begin(&printer)) return PrintResult::Failed;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The painter's origin is the printable area's top-left; width() and height() its size.
    painter.drawImage(QRect(0, 0, printer.width(), printer.height()), picture, kSourceArea);
    return painter.end() ? PrintResult::Printed : PrintResult::Failed;
}

PrintResult PrintWindow(QWidget& window) {
    const QImage picture = WindowPicture(window);
    QPrinter printer(QPrinter::HighResolution);
    if (!platform::RunPrintDialog(printer, &window)) return PrintResult::Cancelled;
    const PrintResult result = PrintPicture(picture, printer);
    if (result == PrintResult::Failed)
        platform::MessageBox(&window, kPrintFailedMessage, resources::String(resources::kAppTitleString),
                             platform::MB_OK);
    return result;
}

} // namespace capture

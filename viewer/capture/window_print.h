#pragma once
// Printing the main window: its picture, rendered into an image (what the window draws, also
// where it is covered or off screen), stretched without keeping the aspect onto the printable
// area of one landscape page of the printer chosen in the print dialog.

#include <QImage>

class QPrinter;
class QWidget;

namespace capture {

inline constexpr const char* kPrintFailedMessage = "인쇄하지 못했습니다.";
inline constexpr const char* kPrintDocumentName = "Qel";

enum class PrintResult { Printed, Cancelled, Failed };

// The window as it draws itself, at its own size.
QImage WindowPicture(QWidget& window);

// One page: document "Qel", landscape for this print only, the source area (0, 0, 1020, 780) of
// the picture onto (0, 0, printable width, printable height) in device pixels, no smoothing.
PrintResult PrintPicture(const QImage& picture, QPrinter& printer);

// The print dialog (through the platform hook), then the page; "인쇄하지 못했습니다." when the
// print cannot start or finish. Nothing is shown on success or cancel.
PrintResult PrintWindow(QWidget& window);

} // namespace capture

// Printing a window through Qt's PDF output, judged by pdfinfo and pdftoppm: one landscape page
// titled "Qel" whose printable area holds the window's picture stretched; cancel and failure.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QWidget>

#include <cstdio>

#include "capture/window_print.h"
#include "dialog_hooks.h"
#include "gui_support.h"
#include "jpeg_judge.h"
#include "platform/dialogs.h"
#include "test_folders.h"

namespace capture {
namespace {

namespace fs = std::filesystem;

constexpr int kColumns = 4;
constexpr int kRows = 3;
constexpr double kMarginMm = 12.0;

QColor CellColour(int column, int row) {
    return QColor::fromHsv((column * kRows + row) * 360 / (kColumns * kRows), 255, 230);
}

// A 1020 × 780 window drawing a grid of coloured cells, so that a page shows whether the picture
// was stretched onto the whole printable area.
class GridWindow : public QWidget {
public:
    GridWindow() { setFixedSize(1020, 780); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r)
                painter.fillRect(c * 255, r * 260, 255, 260, CellColour(c, r));
    }
};

struct PrintHook {
    explicit PrintHook(fs::path output, bool accept = true) {
        platform::SetPrintDialogHook([output, accept](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(output.string()));
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setPageOrientation(QPageLayout::Portrait);
            printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
            return accept;
        });
    }
    ~PrintHook() { platform::SetPrintDialogHook(nullptr); }
};

std::string RunProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return process.readAllStandardOutput().toStdString();
}

TEST(WindowPrint, OneLandscapePageWithTheStretchedPicture) {
    tripdesk::test::DialogHooks hooks;
    const fs::path pdf = tripdesk::test::FreshFolder("print") / "window.pdf";
    PrintHook hook(pdf);
    GridWindow window;
    EXPECT_EQ(PrintWindow(window), PrintResult::Printed);
    EXPECT_TRUE(hooks.messages.empty());
    ASSERT_TRUE(fs::exists(pdf));
    std::printf("printed page kept at %s\n", pdf.c_str());

    const auto info = testing::PdfInfo(pdf);
    EXPECT_EQ(info.at("Title"), "Qel");
    EXPECT_EQ(info.at("Pages"), "1");
    const auto size = testing::PdfPageSize(info);
    ASSERT_TRUE(size);
    EXPECT_NEAR(size->first, 841.9, 1.0) << "A4 landscape: 297 mm wide";
    EXPECT_NEAR(size->second, 595.3, 1.0);

    // Raster at 100 dpi; the printable area starts at the margin.
    const fs::path raster = pdf.parent_path() / "page";
    RunProgram("pdftoppm", {"-r", "100", "-png", "-singlefile", QString::fromStdString(pdf.string()),
                     QString::fromStdString(raster.string())});
    QImage page(QString::fromStdString(raster.string() + ".png"));
    ASSERT_FALSE(page.isNull());
    const double pixelsPerMm = 100.0 / 25.4;
    const QRectF printable(kMarginMm * pixelsPerMm, kMarginMm * pixelsPerMm, (297 - 2 * kMarginMm) * pixelsPerMm,
                           (210 - 2 * kMarginMm) * pixelsPerMm);
    const QImage cut = page.copy(printable.toRect()).scaled(1020, 780, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QImage picture = WindowPicture(window);
    int mismatches = 0, compared = 0;
    for (int y = 10; y < 780; y += 20)
        for (int x = 10; x < 1020; x += 20) {
            // Cell edges may fall between raster pixels.
            if (x % 255 < 8 || x % 255 > 247 || y % 260 < 8 || y % 260 > 252) continue;
            const QColor a = cut.pixelColor(x, y), b = picture.pixelColor(x, y);
            ++compared;
            if (std::abs(a.red() - b.red()) > 24 || std::abs(a.green() - b.green()) > 24 ||
                std::abs(a.blue() - b.blue()) > 24)
                ++mismatches;
        }
    EXPECT_GT(compared, 1000);
    EXPECT_EQ(mismatches, 0);
    // Outside the printable area the page stays white.
    EXPECT_EQ(page.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(page.width() - 5, page.height() - 5), QColor(Qt::white));
}

TEST(WindowPrint, CancelWritesNothingAndShowsNothing) {
    tripdesk::test::DialogHooks hooks;
    const fs::path pdf = tripdesk::test::FreshFolder("print-cancel") / "window.pdf";
    PrintHook hook(pdf, false);
    GridWindow window;
    EXPECT_EQ(PrintWindow(window), PrintResult::Cancelled);
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_TRUE(hooks.messages.empty());
}

TEST(WindowPrint, AnUnwritableOutputShowsTheMessage) {
    tripdesk::test::DialogHooks hooks;
    const fs::path pdf = tripdesk::test::FreshFolder("print-fail") / "missing" / "window.pdf";
    PrintHook hook(pdf);
    GridWindow window;
    EXPECT_EQ(PrintWindow(window), PrintResult::Failed);
    EXPECT_EQ(hooks.messages, std::vector<std::string>{"인쇄하지 못했습니다."});
    EXPECT_FALSE(fs::exists(pdf));
}

// Without a hook the real print dialog is shown: one picture on one page, so no page range and
// no selection; printing to a PDF file stays offered.
TEST(WindowPrint, TheDialogOffersNoPageRangeOrSelection) {
    tripdesk::test::DialogHooks hooks;
    bool seen = false;
    tripdesk::test::WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
        seen = true;
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintCurrentPage));
        EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
        dialog->reject();
    });
    GridWindow window;
    EXPECT_EQ(PrintWindow(window), PrintResult::Cancelled);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(hooks.messages.empty());
}

} // namespace
} // namespace capture

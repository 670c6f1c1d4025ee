// skingen: draws the viewer's skin bitmaps and writes them as a C++ source file for the
// resources library (--cpp FILE) and/or as one PNG per id for a person to look at (--png DIR);
// and Clockfix's skin: its bitmaps as a source file (--clockfix-cpp FILE) and its background
// picture as a GIF file (--clockfix-gif FILE).

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "clockfix_skin.h"
#include "skin_renderer.h"
#include "skin_table.h"
#include "source_writer.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: skingen [--cpp FILE] [--png DIR] [--clockfix-cpp FILE] [--clockfix-gif FILE]\n");
    return 2;
}

bool WritePngs(const QString& folder, const std::vector<skingen::RenderedBitmap>& bitmaps,
               const std::vector<skingen::RenderedIcon>& icons) {
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "skingen: cannot create %s\n", qPrintable(folder));
        return false;
    }
    const QDir dir(folder);
    for (const auto& b : bitmaps) {
        if (!b.image.save(dir.filePath(QString::number(b.id) + ".png"))) return false;
    }
    for (const auto& icon : icons) {
        if (!icon.image.save(dir.filePath(QStringLiteral("%1-%2.png").arg(skingen::kAppIconId).arg(icon.size)))) return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const char* cppPath = nullptr;
    const char* pngDir = nullptr;
    const char* clockfixCpp = nullptr;
    const char* clockfixGif = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--cpp") == 0 && i + 1 < argc) cppPath = argv[++i];
        else if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) pngDir = argv[++i];
        else if (std::strcmp(argv[i], "--clockfix-cpp") == 0 && i + 1 < argc) clockfixCpp = argv[++i];
        else if (std::strcmp(argv[i], "--clockfix-gif") == 0 && i + 1 < argc) clockfixGif = argv[++i];
        else return Usage();
    }
    if (!cppPath && !pngDir && !clockfixCpp && !clockfixGif) return Usage();

    // Fonts need a GUI application; no display is needed to draw into images.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    try {
        if (clockfixCpp && !skingen::WriteClockfixSkinSource(QString::fromLocal8Bit(clockfixCpp),
                                                             skingen::RenderClockfixBitmaps()))
            return 1;
        if (clockfixGif && !skingen::WriteClockfixBackground(QString::fromLocal8Bit(clockfixGif),
                                                             skingen::RenderClockfixBackground()))
            return 1;
        if (!cppPath && !pngDir) return 0;
        const auto bitmaps = skingen::RenderSkin();
        const auto icons = skingen::RenderAppIcons();
        if (cppPath && !skingen::WriteSkinSource(QString::fromLocal8Bit(cppPath), bitmaps, icons)) return 1;
        if (pngDir && !WritePngs(QString::fromLocal8Bit(pngDir), bitmaps, icons)) return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}

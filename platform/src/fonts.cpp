#include "platform/fonts.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace platform {

namespace {

// Windows faces the programs name; all of them draw with DejaVu Sans and take Korean text from
// NanumGothic. Tahoma is narrower than DejaVu Sans: its condensed face keeps texts inside the
// columns the windows were laid out for.
constexpr std::array<std::string_view, 9> kMappedFaces{
    "MS Shell Dlg", "MS Shell Dlg 2", "MS Sans Serif", "Microsoft Sans Serif", "Arial", "돋움", "돋움체", "굴림", "굴림체",
};
constexpr std::string_view kTahoma = "Tahoma";

QStringList Families(std::string_view face) {
    QStringList families{QStringLiteral("DejaVu Sans"), QStringLiteral("NanumGothic")};
    if (face == kTahoma) families.prepend(QStringLiteral("DejaVu Sans Condensed"));
    return families;
}

} // namespace

int PointsToPixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

QFont WinFont(const char* face, double points, bool bold) {
    const std::string_view name = face ? face : "";
    QFont font;
    QStringList families = Families(name);
    bool mapped = name == kTahoma;
    for (std::string_view known : kMappedFaces) mapped = mapped || known == name;
    // A face outside the table is used when installed, with the same fallbacks behind it.
    if (!mapped && !name.empty()) families.prepend(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    font.setFamilies(families);
    font.setPixelSize(std::max(1, PointsToPixels(points)));
    font.setBold(bold);
    return font;
}

} // namespace platform

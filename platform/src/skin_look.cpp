#include "platform/skin_look.h"

#include <QApplication>
#include <QColor>
#include <QStyleFactory>

namespace platform {

namespace {

// The skin's colours: near-black faces, light grey texts, the light green of its highlights.
struct RoleColour {
    QPalette::ColorRole role;
    QColor colour;
};

const RoleColour kActiveColours[] = {
    {QPalette::Window, QColor(30, 33, 38)},
    {QPalette::WindowText, QColor(225, 225, 225)},
    {QPalette::Base, QColor(16, 18, 21)},
    {QPalette::AlternateBase, QColor(36, 40, 46)},
    {QPalette::Text, QColor(225, 225, 225)},
    {QPalette::PlaceholderText, QColor(120, 124, 130)},
    {QPalette::Button, QColor(44, 48, 54)},
    {QPalette::ButtonText, QColor(210, 210, 210)},
    {QPalette::BrightText, QColor(255, 255, 255)},
    {QPalette::Light, QColor(84, 90, 100)},
    {QPalette::Midlight, QColor(64, 70, 78)},
    {QPalette::Mid, QColor(50, 54, 60)},
    {QPalette::Dark, QColor(20, 22, 26)},
    {QPalette::Shadow, QColor(0, 0, 0)},
    {QPalette::Highlight, QColor(170, 255, 75)},
    {QPalette::HighlightedText, QColor(0, 0, 0)},
    {QPalette::Link, QColor(175, 245, 95)},
    {QPalette::LinkVisited, QColor(140, 200, 80)},
    {QPalette::ToolTipBase, QColor(44, 48, 54)},
    {QPalette::ToolTipText, QColor(225, 225, 225)},
};

const RoleColour kDisabledColours[] = {
    {QPalette::WindowText, QColor(110, 114, 120)},
    {QPalette::Text, QColor(110, 114, 120)},
    {QPalette::ButtonText, QColor(110, 114, 120)},
    {QPalette::Highlight, QColor(70, 76, 84)},
    {QPalette::HighlightedText, QColor(170, 170, 170)},
};

} // namespace

QPalette SkinPalette() {
    QPalette palette;
    for (const RoleColour& c : kActiveColours) palette.setColor(c.role, c.colour);
    for (const RoleColour& c : kDisabledColours) palette.setColor(QPalette::Disabled, c.role, c.colour);
    return palette;
}

void ApplySkinLook(QApplication& app) {
    // Fusion draws every control from the palette, whatever the desktop's own theme.
    if (QStyle* fusion = QStyleFactory::create("Fusion")) app.setStyle(fusion);
    app.setPalette(SkinPalette());
}

} // namespace platform

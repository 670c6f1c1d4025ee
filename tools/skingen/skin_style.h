#pragma once
// Colours, fonts and small drawing helpers shared by every painter of the skin, so that the
// pieces drawn separately (buttons, telemetry backgrounds, splash frames) match the window.

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

namespace skingen {

namespace colour {
inline const QColor kWindowTop{24, 27, 32};
inline const QColor kWindowBottom{16, 18, 22};
inline const QColor kCaption{12, 14, 17};
inline const QColor kCaptionLine{36, 40, 47};
inline const QColor kCard{27, 31, 37};
inline const QColor kCardBorder{42, 47, 55};
inline const QColor kWell{11, 13, 16};
inline const QColor kWellBorder{38, 43, 51};
inline const QColor kListBackground{20, 23, 27};
inline const QColor kHeaderBand{31, 36, 43};
inline const QColor kTextWeak{110, 118, 128};
inline const QColor kText{215, 220, 226};
inline const QColor kAccent{170, 255, 75};
inline const QColor kAccentPressed{128, 205, 50};
inline const QColor kAccentInk{14, 20, 10};
inline const QColor kControl{35, 40, 48};
inline const QColor kControlBorder{56, 62, 72};
inline const QColor kControlPressed{58, 66, 77};
inline const QColor kDanger{217, 68, 58};
inline const QColor kPopupBorder{150, 150, 150};
inline const QColor kScrollTrack{35, 35, 35};
inline const QColor kPositionWell{44, 44, 44};
} // namespace colour

// Latin text in DejaVu Sans, Korean in NanumGothic; sizes in pixels so the output does not
// depend on the screen's dots per inch.
QFont UiFont(int pixels, bool bold = false);
// Face of the product name.
QFont LogoFont(int pixels);

void FillRoundedRect(QPainter& p, const QRectF& rect, double radius, const QColor& fill,
                     const QColor& border = QColor());
// A card: raised panel with a hairline border.
void DrawCard(QPainter& p, const QRectF& rect);
// A well: recessed dark area for readouts and plots.
void DrawWell(QPainter& p, const QRectF& rect, double radius = 4);
// A groove for the tracks of the bars: rounded, 8 pixels high.
void DrawGroove(QPainter& p, const QRectF& rect);
// Small spaced capitals of the panels' captions, drawn in the weak text colour.
QFont CaptionLabelFont();
void DrawCaptionLabel(QPainter& p, const QPointF& topLeft, const QString& text);

} // namespace skingen

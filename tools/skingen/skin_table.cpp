#include "skin_table.h"

#include "button_pieces.h"
#include "glyphs.h"
#include "telemetry_pieces.h"
#include "splash.h"
#include "window_skin.h"

namespace skingen {
namespace {

constexpr int G(Glyph g) { return static_cast<int>(g); }

constexpr Backdrop kNone = Backdrop::None;
constexpr Backdrop kWin = Backdrop::Window;
constexpr Backdrop kSplash = Backdrop::Splash;

// Buttons and pieces that sit on the window are cut from it at the place code puts them.
// The window and the splash come first: the other rows are drawn over cuts of them.
constexpr SkinBitmap kSkin[] = {
    {130, 1020, 780, kNone, 0, 0, PaintWindowSkin, 0, false},
    {322, 440, 300, kNone, 0, 0, PaintSplash, 0, false},
    {131, 40, 40, kSplash, 199, 198, PaintSpinnerFrame, 0, false},
    {132, 40, 40, kSplash, 199, 198, PaintSpinnerFrame, 1, false},
    {133, 40, 40, kSplash, 199, 198, PaintSpinnerFrame, 2, false},
    {134, 40, 40, kSplash, 199, 198, PaintSpinnerFrame, 3, false},
    {135, 40, 40, kSplash, 199, 198, PaintSpinnerFrame, 4, false},
    {136, 40, 40, kSplash, 199, 198, PaintSpinnerFrame, 5, false},
    {137, 40, 40, kSplash, 199, 198, PaintSpinnerFrame, 6, false},
    {138, 40, 40, kSplash, 199, 198, PaintSpinnerFrame, 7, false},
    {139, 40, 40, kSplash, 199, 198, PaintSpinnerFrame, 8, false},

    // Caption buttons.
    {141, 45, 25, kWin, 950, 1, PaintCaptionButton, G(Glyph::Close), false},
    {142, 45, 25, kWin, 950, 1, PaintCaptionButton, G(Glyph::Close), true},
    {143, 45, 25, kWin, 905, 1, PaintCaptionButton, G(Glyph::Minimise), false},
    {144, 45, 25, kWin, 905, 1, PaintCaptionButton, G(Glyph::Minimise), true},

    // Tool buttons.
    {313, 35, 36, kWin, 825, 47, PaintToolButton, G(Glyph::Clock), false},
    {314, 35, 36, kWin, 825, 47, PaintToolButton, G(Glyph::Clock), true},
    {149, 35, 36, kWin, 866, 47, PaintToolButton, G(Glyph::Camera), false},
    {151, 35, 36, kWin, 866, 47, PaintToolButton, G(Glyph::Camera), true},
    {235, 35, 36, kWin, 907, 47, PaintToolButton, G(Glyph::Info), false},
    {237, 35, 36, kWin, 907, 47, PaintToolButton, G(Glyph::Info), true},
    {157, 35, 36, kWin, 953, 47, PaintToolButton, G(Glyph::Gear), false},
    {159, 35, 36, kWin, 953, 47, PaintToolButton, G(Glyph::Gear), true},
    {294, 35, 36, kWin, 740, 47, PaintToolButton, G(Glyph::Usb), false},
    {188, 29, 29, kWin, 544, 719, PaintToolButton, G(Glyph::MapPin), false},
    {190, 29, 29, kWin, 544, 719, PaintToolButton, G(Glyph::MapPin), true},

    // Transport: stop, play and next are button i = 0, 1, 2 with bitmaps 169 + 3i, 171 + 3i.
    {160, 40, 40, kWin, 52, 531, PaintTransportButton, G(Glyph::Previous), false},
    {162, 40, 40, kWin, 52, 531, PaintTransportButton, G(Glyph::Previous), true},
    {166, 40, 40, kWin, 129, 531, PaintTransportButton, G(Glyph::Pause), false},
    {168, 40, 40, kWin, 129, 531, PaintTransportButton, G(Glyph::Pause), true},
    {169, 40, 40, kWin, 206, 531, PaintTransportButton, G(Glyph::Stop), false},
    {171, 40, 40, kWin, 206, 531, PaintTransportButton, G(Glyph::Stop), true},
    {172, 40, 40, kWin, 283, 531, PaintTransportButton, G(Glyph::Play), false},
    {174, 40, 40, kWin, 283, 531, PaintTransportButton, G(Glyph::Play), true},
    {175, 40, 40, kWin, 360, 531, PaintTransportButton, G(Glyph::Next), false},
    {177, 40, 40, kWin, 360, 531, PaintTransportButton, G(Glyph::Next), true},
    {315, 40, 40, kWin, 720, 470, PaintTransportButton, G(Glyph::Fast), false},
    {316, 40, 40, kWin, 720, 470, PaintTransportButton, G(Glyph::Fast), true},
    {317, 40, 40, kWin, 600, 470, PaintTransportButton, G(Glyph::Slow), false},
    {318, 40, 40, kWin, 600, 470, PaintTransportButton, G(Glyph::Slow), true},

    // List buttons.
    {178, 105, 22, kWin, 881, 525, PaintLabelledButton, kLabelOpenFile, false},
    {180, 105, 22, kWin, 881, 525, PaintLabelledButton, kLabelOpenFile, true},
    {264, 74, 22, kWin, 804, 525, PaintLabelledButton, kLabelDeleteList, false},
    {265, 74, 22, kWin, 804, 525, PaintLabelledButton, kLabelDeleteList, true},

    // Progress and volume bars: caps, fill column and thumbs are shared by both.
    {181, 5, 8, kWin, 30, 487, PaintBarPiece, 0, false},
    {182, 1, 8, kWin, 35, 487, PaintBarPiece, 1, false},
    {183, 5, 8, kWin, 410, 487, PaintBarPiece, 2, false},
    {184, 33, 20, kWin, 33, 481, PaintBarThumb, 0, false},
    {193, 25, 20, kWin, 793, 481, PaintSpeaker, 0, false},
    {194, 23, 20, kWin, 824, 481, PaintBarThumb, 0, false},
    {306, 213, 42, kWin, 795, 473, PaintVolumeBackground, 0, false},
    {307, 390, 20, kWin, 28, 480, PaintProgressBackground, 0, false},

    // Telemetry panels.
    {308, 146, 256, kWin, 437, 456, PaintGpsPanel, 0, false},
    {309, 393, 164, kWin, 28, 592, PaintGsensorBackground, 0, false},
    {320, 75, 45, kWin, 660, 480, PaintNothing, 0, false},
    {321, 170, 40, kWin, 435, 0, PaintTitle, 0, false},
    {243, 15, 31, kNone, 0, 0, PaintSpeedDigit, 0, false},
    {244, 15, 31, kNone, 0, 0, PaintSpeedDigit, 1, false},
    {245, 15, 31, kNone, 0, 0, PaintSpeedDigit, 2, false},
    {246, 15, 31, kNone, 0, 0, PaintSpeedDigit, 3, false},
    {247, 15, 31, kNone, 0, 0, PaintSpeedDigit, 4, false},
    {248, 15, 31, kNone, 0, 0, PaintSpeedDigit, 5, false},
    {249, 15, 31, kNone, 0, 0, PaintSpeedDigit, 6, false},
    {250, 15, 31, kNone, 0, 0, PaintSpeedDigit, 7, false},
    {251, 15, 31, kNone, 0, 0, PaintSpeedDigit, 8, false},
    {252, 15, 31, kNone, 0, 0, PaintSpeedDigit, 9, false},

    // Recording list.
    {195, 14, 14, kNone, 0, 0, PaintKindIcon, kBadgeContinuous, false},
    {196, 14, 14, kNone, 0, 0, PaintKindIcon, kBadgeEvent, false},
    {197, 14, 14, kNone, 0, 0, PaintKindIcon, kBadgeManual, false},
    {302, 14, 14, kNone, 0, 0, PaintKindIcon, kBadgeParking, false},
    {205, 15, 13, kNone, 0, 0, PaintScrollArrow, 0, false},
    {206, 15, 13, kNone, 0, 0, PaintScrollArrow, 1, false},

    // Popups: close button, channel dialog OK, settings and save-settings windows.
    {207, 45, 25, kNone, 0, 0, PaintPopupCloseButton, 0, false},
    {209, 45, 25, kNone, 0, 0, PaintPopupCloseButton, 0, true},
    {293, 86, 29, kNone, 0, 0, PaintLabelledButton, kLabelChannelOk, false},
    {330, 120, 27, kNone, 0, 0, PaintLabelledButton, kLabelSelectFolder, false},
    {331, 120, 27, kNone, 0, 0, PaintLabelledButton, kLabelSelectFolder, true},
    {332, 86, 29, kNone, 0, 0, PaintLabelledButton, kLabelCapture, false},
    {333, 86, 29, kNone, 0, 0, PaintLabelledButton, kLabelCapture, true},
    {334, 86, 29, kNone, 0, 0, PaintLabelledButton, kLabelSave, false},
    {335, 86, 29, kNone, 0, 0, PaintLabelledButton, kLabelSave, true},
    {336, 86, 29, kNone, 0, 0, PaintLabelledButton, kLabelExit, false},
    {337, 86, 29, kNone, 0, 0, PaintLabelledButton, kLabelExit, true},
    {338, 300, 20, kNone, 0, 0, PaintSliderTrack, 32, false},
    {339, 290, 20, kNone, 0, 0, PaintSliderTrack, 41, false},
    {340, 86, 29, kNone, 0, 0, PaintLabelledButton, kLabelOk, false},
    {341, 86, 29, kNone, 0, 0, PaintLabelledButton, kLabelOk, true},
    {342, 25, 25, kNone, 0, 0, PaintTickBox, 0, false},
    {343, 25, 25, kNone, 0, 0, PaintTickBox, 0, true},
    // The settings window's slider pieces: the bars' pieces on the window's black.
    {344, 5, 8, kNone, 0, 0, PaintBarPiece, 0, false},
    {345, 1, 8, kNone, 0, 0, PaintBarPiece, 1, false},
    {346, 5, 8, kNone, 0, 0, PaintBarPiece, 2, false},
    {347, 33, 20, kNone, 0, 0, PaintBarThumb, 0, false},
};

} // namespace

std::span<const SkinBitmap> SkinBitmaps() {
    return kSkin;
}

} // namespace skingen

#pragma once
// What every skinned control shares: its kind, default name and id, the dialog it reports to,
// its colours, its state images (a strip of equal frames: normal, hover, pressed, disabled,
// drawn with the transparent colour left out) and the dialog edges it is anchored to.

#include <QColor>
#include <QImage>
#include <string>

#include "platform/win_types.h"
#include "skin/skin_kind.h"

class QPainter;
class QRect;
class QWidget;

namespace skin {

enum Anchor : unsigned {
    kAnchorNone = 0,
    kAnchorRight = 1u << 0,    // keeps its distance to the right edge
    kAnchorBottom = 1u << 1,   // keeps its distance to the bottom edge
};

enum class ControlState { Normal, Hover, Pressed, Disabled };

// Colour treated as transparent in skin bitmaps unless a dialog says otherwise.
inline constexpr QRgb kDefaultTransparent = 0xFFFF00FF;

// The image with every pixel of the key colour made fully transparent.
QImage WithTransparentColour(const QImage& image, QRgb key);

class SkinControl {
public:
    SkinControl(SkinKind kind, int id, std::string name, platform::HWND owner);
    virtual ~SkinControl() = default;
    SkinControl(const SkinControl&) = delete;
    SkinControl& operator=(const SkinControl&) = delete;

    virtual QWidget* widget() = 0;

    SkinKind kind() const { return kind_; }
    int controlId() const { return id_; }
    const std::string& name() const { return name_; }

    void SetColours(QColor text, QColor face, QColor frame);
    QColor textColour() const { return text_; }
    QColor faceColour() const { return face_; }
    QColor frameColour() const { return frame_; }

    // A strip of `frames` equal pictures side by side (1 to 4, in ControlState order); key
    // pixels are left out when drawn.
    void SetStateImages(const QImage& strip, int frames, QRgb transparent = kDefaultTransparent);
    bool hasStateImages() const { return !strip_.isNull(); }

    void SetAnchor(unsigned edges) { anchor_ = edges; }
    unsigned anchor() const { return anchor_; }

protected:
    // Sends WM_COMMAND (id, code) to the owner dialog and returns when it has been handled.
    void NotifyOwner(platform::UINT code) const;
    // Draws the frame of this state (the last frame when the strip has fewer), stretched to area.
    void DrawStateImage(QPainter& painter, const QRect& area, ControlState state) const;

private:
    SkinKind kind_;
    int id_;
    std::string name_;
    platform::HWND owner_;
    QColor text_{30, 30, 30};
    QColor face_{235, 240, 246};
    QColor frame_{120, 140, 160};
    QImage strip_;
    int frames_ = 1;
    unsigned anchor_ = kAnchorNone;
};

} // namespace skin

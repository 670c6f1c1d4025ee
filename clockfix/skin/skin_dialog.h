#pragma once
// The skinned dialog: a dialog built from a template whose controls are replaced, one by one
// and by id, with skinned controls of the same kind, place, id and caption (WrapControl). It
// paints its background (a colour, or a picture decoded from memory) into a back buffer and
// copies it in one step; a press anywhere can drag the window, its edges can resize it with a
// rubber band, and controls anchored to its edges follow each resize.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "skin/skin_control.h"
#include "skin/skin_kind.h"

class QRubberBand;

namespace skin {

enum class BackgroundMode : int { Colour = 1, Picture = 2 };

class SkinDialog : public platform::Dialog {
    Q_OBJECT
public:
    explicit SkinDialog(const platform::DialogTemplate& tmpl, QWidget* parent = nullptr);
    ~SkinDialog() override;

    // Replaces the template control with this id; nullptr when there is none or its class has
    // no skinned kind.
    SkinControl* WrapControl(int id);
    template <class T>
    T* Wrap(int id) { return dynamic_cast<T*>(WrapControl(id)); }
    // The skinned controls of a kind, in the order they were made.
    const std::vector<SkinControl*>& controls(SkinKind kind) const { return byKind_[static_cast<int>(kind)]; }

    const std::string& pictureFolder() const { return pictureFolder_; }
    const std::string& settingsFolder() const { return settingsFolder_; }
    BackgroundMode backgroundMode() const { return mode_; }
    QColor backgroundColour() const { return colour_; }
    const QImage& backgroundPicture() const { return picture_; }
    QRgb transparentColour() const { return transparent_; }

    void SetBackgroundColour(QColor colour);
    // The file (relative to the program's folder) read whole and decoded from memory: true and
    // the picture mode on success, false and the colour mode otherwise.
    bool SetBackgroundPicture(const std::string& relativeName);
    bool SetBackgroundPictureFromMemory(const QByteArray& bytes);

    // The title drawn over the background at the top left; empty draws none.
    void SetTitleText(const std::string& text);
    const std::string& titleText() const { return title_; }

    void SetDragEnabled(bool on) { drag_ = on; }
    bool dragEnabled() const { return drag_; }
    void SetResizeEnabled(bool on) { resize_ = on; }
    bool resizeEnabled() const { return resize_; }
    void SetSizeLimits(QSize minimum, QSize maximum);
    QSize minimumSkinSize() const { return minimum_; }
    QSize maximumSkinSize() const { return maximum_; }

    // The picture the dialog paints under its controls, as last painted.
    QImage RenderBackBuffer();

    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    // Drawn over the background into the back buffer.
    virtual void OnDrawDecorations(QPainter& painter) { (void)painter; }
    // Ten milliseconds after creation: the children are laid out once. The default keeps them.
    virtual void OnLayoutControls() {}

    void OnEraseBackground(QPainter& painter) override;
    void OnPaint(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    SkinControl* MakeControl(SkinKind kind, int id, std::uint32_t style, const std::string& name);
    void CheckOnlyInGroup(class SkinRadio* radio);
    unsigned EdgesAt(QPoint client) const;
    void StartResize(QPoint client, unsigned edges);
    void TrackResize(QPoint client);
    void FinishResize(QPoint client);
    QRect ResizedGeometry(QPoint client) const;
    void MoveAnchoredControls(QSize from, QSize to);

    std::string pictureFolder_ = "Image/";
    std::string settingsFolder_ = "Config/";
    BackgroundMode mode_ = BackgroundMode::Colour;
    QColor colour_{207, 224, 240};
    QImage picture_;
    std::string title_;
    bool drag_ = false;
    bool resize_ = false;
    QSize minimum_{50, 50};
    QSize maximum_{4000, 4000};
    QRgb transparent_ = kDefaultTransparent;
    std::array<std::vector<SkinControl*>, kSkinKindCount> byKind_;

    QImage backBuffer_;
    bool laidOut_ = false;
    QSize layoutSize_;
    unsigned resizeEdges_ = 0;
    QPoint resizeStart_;        // screen point where the resize press was
    QRect resizeStartGeometry_;
    QRubberBand* rubberBand_ = nullptr;
};

} // namespace skin

#include "skin/skin_dialog.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QResizeEvent>
#include <QRubberBand>
#include <algorithm>
#include <cstdlib>

#include "platform/control_class.h"
#include "platform/shell.h"
#include "skin/skin_buttons.h"
#include "skin/skin_lists.h"
#include "skin/skin_progress.h"
#include "skin/skin_texts.h"

namespace skin {
namespace {

constexpr platform::UINT kLayoutTimer = 0x5C01;
constexpr int kLayoutDelayMs = 10;
constexpr int kResizeEdge = 4;        // pixels along each edge that start a resize
constexpr int kLayoutMinimumStep = 8; // a resize smaller than this in both directions moves nothing

// The title band at the top of the window, over the background.
const QRect kTitleArea(10, 0, 400, 22);
const QColor kTitleColour(255, 255, 255);

enum Edge : unsigned { kEdgeLeft = 1, kEdgeTop = 2, kEdgeRight = 4, kEdgeBottom = 8 };

constexpr std::uint32_t kWrappedStyle = platform::WS_CHILD | platform::WS_VISIBLE | platform::WS_TABSTOP;

// The point a mouse or hit-test message carries (client or screen coordinates, by message).
QPoint PointFrom(platform::LPARAM lParam) {
    return {platform::GET_X_LPARAM(lParam), platform::GET_Y_LPARAM(lParam)};
}

// The formats the system's picture object reads; anything else gives the colour background.
bool IsSystemPictureFormat(const QByteArray& format) {
    return format == "bmp" || format == "gif" || format == "jpeg" || format == "jpg" || format == "ico";
}

} // namespace

SkinDialog::SkinDialog(const platform::DialogTemplate& tmpl, QWidget* parent) : platform::Dialog(tmpl, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

SkinDialog::~SkinDialog() { delete rubberBand_; }

bool SkinDialog::OnInitDialog() {
    SetTimer(kLayoutTimer, kLayoutDelayMs);
    return true;
}

SkinControl* SkinDialog::WrapControl(int id) {
    // 1. What the template control is.
    QWidget* old = GetDlgItem(id);
    const std::string className = GetDlgItemClassName(id);
    if (!old || className.empty()) return nullptr;
    const std::uint32_t style = GetDlgItemStyle(id);
    const QRect place = old->geometry();
    const std::string caption = GetDlgItemText(id);
    // 2. Its kind.
    const auto kind = ChooseSkinKind(className, style);
    if (!kind) return nullptr;
    // 3 and 4. The skinned control takes its place, id and caption; the template control goes.
    std::vector<SkinControl*>& sameKind = byKind_[static_cast<int>(*kind)];
    SkinControl* control = MakeControl(*kind, id, style, DefaultControlName(*kind, static_cast<int>(sameKind.size())));
    if (!control) return nullptr;
    QWidget* widget = control->widget();
    widget->setGeometry(place);
    ReplaceDlgItem(id, widget);
    SetDlgItemText(id, caption);
    widget->setVisible(true);
    sameKind.push_back(control);
    return control;
}

SkinControl* SkinDialog::MakeControl(SkinKind kind, int id, std::uint32_t style, const std::string& name) {
    const platform::HWND owner = hwnd();
    switch (kind) {
    case SkinKind::Static:
        return new SkinStatic(id, name, owner, this);
    case SkinKind::Picture:
        return new SkinPicture(id, name, owner, this);
    case SkinKind::Group:
        return new SkinGroup(id, name, owner, this);
    case SkinKind::Check:
        return new SkinCheck(id, name, owner, this);
    case SkinKind::Radio: {
        auto* radio = new SkinRadio(id, name, owner, kWrappedStyle | style, this);
        radio->SetGroupHandler([this](SkinRadio* checked) { CheckOnlyInGroup(checked); });
        return radio;
    }
    case SkinKind::Button:
        return new SkinButton(id, name, owner, this);
    case SkinKind::Edit:
        return new SkinEdit(id, name, owner, this);
    case SkinKind::ListBox:
        return new SkinListBox(id, name, owner, style & platform::LBS_NOTIFY, this);
    case SkinKind::Combo:
        return new SkinComboBox(id, name, owner, kWrappedStyle | style, this);
    case SkinKind::Progress:
        return new SkinProgress(id, name, owner, this);
    case SkinKind::Slider:
    case SkinKind::ListView:
        // No template control of these classes exists on this platform.
        return nullptr;
    }
    return nullptr;
}

void SkinDialog::CheckOnlyInGroup(SkinRadio* checked) {
    // A group runs from a radio button with WS_GROUP to the next one, in the order they were made.
    const std::vector<SkinControl*>& radios = controls(SkinKind::Radio);
    const auto at = std::find(radios.begin(), radios.end(), static_cast<SkinControl*>(checked));
    if (at == radios.end()) return;
    auto first = at;
    while (first != radios.begin() && !(static_cast<SkinRadio*>(*first)->windowStyle() & platform::WS_GROUP)) --first;
    for (auto it = first; it != radios.end(); ++it) {
        auto* radio = static_cast<SkinRadio*>(*it);
        if (it != first && (radio->windowStyle() & platform::WS_GROUP)) break;
        if (radio != checked) radio->setChecked(false);
    }
}

void SkinDialog::SetBackgroundColour(QColor colour) {
    colour_ = colour;
    update();
}

bool SkinDialog::SetBackgroundPicture(const std::string& relativeName) {
    QFile file(QString::fromStdString((platform::ProgramDir() / relativeName).string()));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return SetBackgroundPictureFromMemory(bytes);
}

bool SkinDialog::SetBackgroundPictureFromMemory(const QByteArray& bytes) {
    QBuffer stream;
    stream.setData(bytes);
    stream.open(QIODevice::ReadOnly);
    QImageReader reader(&stream);
    reader.setDecideFormatFromContent(true);
    QImage decoded;
    if (IsSystemPictureFormat(reader.format()) && reader.read(&decoded) && !decoded.isNull()) {
        picture_ = decoded.convertToFormat(QImage::Format_RGB32);
        mode_ = BackgroundMode::Picture;
    } else {
        picture_ = QImage();
        mode_ = BackgroundMode::Colour;
    }
    update();
    return mode_ == BackgroundMode::Picture;
}

void SkinDialog::SetSizeLimits(QSize minimum, QSize maximum) {
    minimum_ = minimum;
    maximum_ = maximum.expandedTo(minimum);
}

QImage SkinDialog::RenderBackBuffer() {
    if (backBuffer_.size() != size()) backBuffer_ = QImage(size(), QImage::Format_RGB32);
    QPainter painter(&backBuffer_);
    painter.fillRect(backBuffer_.rect(), colour_);
    if (mode_ == BackgroundMode::Picture) painter.drawImage(0, 0, picture_);
    if (!title_.empty()) {
        painter.setPen(kTitleColour);
        painter.setFont(font());
        painter.drawText(kTitleArea.intersected(backBuffer_.rect()), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(title_));
    }
    OnDrawDecorations(painter);
    return backBuffer_;
}

void SkinDialog::SetTitleText(const std::string& text) {
    title_ = text;
    setWindowTitle(QString::fromStdString(text));
    update();
}

void SkinDialog::OnEraseBackground(QPainter&) {
    // Everything is painted from the back buffer in OnPaint; erasing first would flicker.
}

void SkinDialog::OnPaint(QPainter& painter) { painter.drawImage(0, 0, RenderBackBuffer()); }

platform::LRESULT SkinDialog::WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    switch (msg) {
    case platform::WM_NCHITTEST: {
        const QPoint client = mapFromGlobal(PointFrom(lParam));
        if (!rect().contains(client)) return 0;
        if (resize_ && EdgesAt(client)) return platform::HTCLIENT;
        return drag_ ? platform::HTCAPTION : platform::Dialog::WindowProc(msg, wParam, lParam);
    }
    case platform::WM_LBUTTONDOWN:
        if (const unsigned edges = resize_ ? EdgesAt(PointFrom(lParam)) : 0) {
            StartResize(PointFrom(lParam), edges);
            return 0;
        }
        break;
    case platform::WM_MOUSEMOVE:
        if (resizeEdges_) {
            TrackResize(PointFrom(lParam));
            return 0;
        }
        break;
    case platform::WM_LBUTTONUP:
        if (resizeEdges_) {
            FinishResize(PointFrom(lParam));
            return 0;
        }
        break;
    case platform::WM_TIMER:
        if (wParam == kLayoutTimer) {
            KillTimer(kLayoutTimer);
            laidOut_ = true;
            layoutSize_ = size();
            OnLayoutControls();
            update();
            return 0;
        }
        break;
    default:
        break;
    }
    return platform::Dialog::WindowProc(msg, wParam, lParam);
}

unsigned SkinDialog::EdgesAt(QPoint client) const {
    if (isMaximized()) return 0;
    unsigned edges = 0;
    if (client.x() < kResizeEdge) edges |= kEdgeLeft;
    if (client.x() >= width() - kResizeEdge) edges |= kEdgeRight;
    if (client.y() < kResizeEdge) edges |= kEdgeTop;
    if (client.y() >= height() - kResizeEdge) edges |= kEdgeBottom;
    return edges;
}

void SkinDialog::StartResize(QPoint client, unsigned edges) {
    resizeEdges_ = edges;
    resizeStart_ = mapToGlobal(client);
    resizeStartGeometry_ = geometry();
    SetCapture();
    if (!rubberBand_) rubberBand_ = new QRubberBand(QRubberBand::Rectangle);
    rubberBand_->setGeometry(resizeStartGeometry_);
    rubberBand_->show();
}

QRect SkinDialog::ResizedGeometry(QPoint client) const {
    const QPoint delta = mapToGlobal(client) - resizeStart_;
    QRect r = resizeStartGeometry_;
    int w = r.width() + ((resizeEdges_ & kEdgeRight) ? delta.x() : 0) - ((resizeEdges_ & kEdgeLeft) ? delta.x() : 0);
    int h = r.height() + ((resizeEdges_ & kEdgeBottom) ? delta.y() : 0) - ((resizeEdges_ & kEdgeTop) ? delta.y() : 0);
    w = std::clamp(w, minimum_.width(), maximum_.width());
    h = std::clamp(h, minimum_.height(), maximum_.height());
    // The edge that was not dragged stays where it was.
    const int left = (resizeEdges_ & kEdgeLeft) ? r.right() + 1 - w : r.left();
    const int top = (resizeEdges_ & kEdgeTop) ? r.bottom() + 1 - h : r.top();
    return QRect(left, top, w, h);
}

void SkinDialog::TrackResize(QPoint client) {
    if (rubberBand_) rubberBand_->setGeometry(ResizedGeometry(client));
}

void SkinDialog::FinishResize(QPoint client) {
    const QRect target = ResizedGeometry(client);
    resizeEdges_ = 0;
    ReleaseCapture();
    if (rubberBand_) rubberBand_->hide();
    setGeometry(target);
}

void SkinDialog::resizeEvent(QResizeEvent* event) {
    platform::Dialog::resizeEvent(event);
    if (!laidOut_) return;
    const QSize now = event->size();
    if (std::abs(now.width() - layoutSize_.width()) < kLayoutMinimumStep &&
        std::abs(now.height() - layoutSize_.height()) < kLayoutMinimumStep)
        return;
    MoveAnchoredControls(layoutSize_, now);
    layoutSize_ = now;
    update();
}

void SkinDialog::MoveAnchoredControls(QSize from, QSize to) {
    const int dx = to.width() - from.width();
    const int dy = to.height() - from.height();
    for (const auto& kind : byKind_) {
        for (SkinControl* control : kind) {
            QWidget* widget = control->widget();
            const unsigned anchor = control->anchor();
            widget->move(widget->x() + ((anchor & kAnchorRight) ? dx : 0), widget->y() + ((anchor & kAnchorBottom) ? dy : 0));
        }
    }
}

} // namespace skin

#include "samplecard/frame_painter.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

namespace samplecard {
namespace {

struct Scheme {
  QRgb skyTop;
  QRgb skyBottom;
  QRgb ground;
  QRgb road;
  QRgb marks;
  QRgb labelBox;
  QRgb labelText;
  const char* label;
};

// Front: a sunny day ahead; rear: dusk behind, with yellow marks.
constexpr std::array<Scheme, 2> kSchemes{{
    {0xff3d85c6, 0xffcfe2f3, 0xff6aa84f, 0xff5f5f5f, 0xffffffff, 0xff1155cc, 0xffffffff, "FRONT"},
    {0xff20124d, 0xffe69138, 0xff4a3b2a, 0xff2f2f2f, 0xfff1c232, 0xffe69138, 0xff000000, "REAR"},
}};

const Scheme& schemeOf(Camera camera) { return kSchemes[camera == Camera::Front ? 0 : 1]; }

// A pinhole camera 1.2 m above a flat road; the bottom picture row sees the road 2 m ahead.
constexpr double kHorizon = 0.45;
constexpr double kCameraHeight = 1.2;
constexpr double kNearest = 2.0;
constexpr double kFarthest = 250.0;
constexpr double kRoadHalfWidth = 4.0;
constexpr double kEdgeLineWidth = 0.2;
constexpr double kMarkHalfWidth = 0.08;
constexpr double kMarkLength = 3.0;
constexpr double kMarkPeriod = 12.0;

class RoadView {
 public:
  RoadView(int width, int height)
      : width_(width),
        horizon_(height * kHorizon),
        focal_((height - horizon_) * kNearest / kCameraHeight) {}

  QPointF project(double across, double ahead) const {
    return QPointF(width_ / 2.0 + focal_ * across / ahead,
                   horizon_ + focal_ * kCameraHeight / ahead);
  }

  QPolygonF strip(double left, double right, double near, double far) const {
    return QPolygonF{
        {project(left, near), project(right, near), project(right, far), project(left, far)}};
  }

  double horizon() const { return horizon_; }

 private:
  int width_;
  double horizon_;
  double focal_;
};

// Text on a dark translucent plate so that it reads on any part of the scene.
void plateText(QPainter& painter, const QFont& font, const QString& text, QPoint anchor,
               Qt::Alignment corner, QColor box = QColor(0, 0, 0, 150), QColor ink = Qt::white) {
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const int pad = std::max(2, metrics.height() / 6);
  QRect rect(QPoint(0, 0),
             QSize(metrics.horizontalAdvance(text) + 2 * pad, metrics.height() + pad));
  if (corner & Qt::AlignRight)
    rect.moveRight(anchor.x());
  else
    rect.moveLeft(anchor.x());
  if (corner & Qt::AlignBottom)
    rect.moveBottom(anchor.y());
  else
    rect.moveTop(anchor.y());
  painter.fillRect(rect, box);
  painter.setPen(ink);
  painter.drawText(rect, Qt::AlignCenter, text);
}

}  // namespace

FramePainter::FramePainter(int width, int height, Camera camera, const QString& fileName,
                           int framesPerSecond)
    : width_(width),
      height_(height),
      camera_(camera),
      fileName_(fileName),
      framesPerSecond_(framesPerSecond),
      background_(width, height, QImage::Format_RGB32),
      picture_(width, height, QImage::Format_RGB32),
      large_(QStringLiteral("DejaVu Sans Mono")),
      small_(QStringLiteral("DejaVu Sans Mono")) {
  large_.setPixelSize(std::max(12, height / 18));
  large_.setBold(true);
  small_.setPixelSize(std::max(10, height / 30));
  paintBackground();
}

void FramePainter::paintBackground() {
  const Scheme& scheme = schemeOf(camera_);
  const RoadView view(width_, height_);
  QPainter painter(&background_);
  QLinearGradient sky(0, 0, 0, view.horizon());
  sky.setColorAt(0, QColor::fromRgb(scheme.skyTop));
  sky.setColorAt(1, QColor::fromRgb(scheme.skyBottom));
  painter.fillRect(QRectF(0, 0, width_, view.horizon()), sky);
  painter.fillRect(QRectF(0, view.horizon(), width_, height_ - view.horizon()),
                   QColor::fromRgb(scheme.ground));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor::fromRgb(scheme.road));
  painter.drawPolygon(view.strip(-kRoadHalfWidth, kRoadHalfWidth, kNearest, kFarthest));
  painter.setBrush(QColor::fromRgb(scheme.marks));
  for (const double edge : {-kRoadHalfWidth + 0.3, kRoadHalfWidth - 0.3 - kEdgeLineWidth})
    painter.drawPolygon(view.strip(edge, edge + kEdgeLineWidth, kNearest, kFarthest));
}

void FramePainter::paintLaneMarks(QPainter& painter) const {
  const RoadView view(width_, height_);
  const double phase = std::fmod(travelledMetres_, kMarkPeriod);
  // Ahead the marks come closer as the car drives; behind they fall back.
  const double first = camera_ == Camera::Front ? kNearest - phase : kNearest + phase - kMarkPeriod;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor::fromRgb(schemeOf(camera_).marks));
  for (double near = first; near < kFarthest; near += kMarkPeriod) {
    const double from = std::max(near, kNearest);
    const double to = near + kMarkLength;
    if (to <= kNearest) continue;
    painter.drawPolygon(view.strip(-kMarkHalfWidth, kMarkHalfWidth, from, to));
  }
}

void FramePainter::paintOverlay(QPainter& painter, int frame, const CivilTime& start,
                                const RoutePoint& point) const {
  const Scheme& scheme = schemeOf(camera_);
  const int margin = std::max(4, height_ / 40);
  const QFontMetrics largeMetrics(large_);

  plateText(painter, large_, QString::fromLatin1(scheme.label), QPoint(margin, margin),
            Qt::AlignLeft | Qt::AlignTop, QColor::fromRgb(scheme.labelBox),
            QColor::fromRgb(scheme.labelText));
  plateText(painter, small_, QStringLiteral("frame %1").arg(frame, 6, 10, QLatin1Char('0')),
            QPoint(margin, margin + largeMetrics.height() * 3 / 2), Qt::AlignLeft | Qt::AlignTop);

  const CivilTime now = start.plusMilliseconds(std::int64_t(frame) * 1000 / framesPerSecond_);
  plateText(painter, large_, QString::fromStdString(now.clockText(now.millisecond / 10)),
            QPoint(width_ - margin, margin), Qt::AlignRight | Qt::AlignTop);

  const double kmh = point.speedKnots * 1.852;
  plateText(painter, large_,
            QStringLiteral("%1 km/h %2\u00b0")
                .arg(kmh, 3, 'f', 0)
                .arg(point.courseDegrees, 5, 'f', 1, QLatin1Char('0')),
            QPoint(margin, height_ - margin), Qt::AlignLeft | Qt::AlignBottom);
  plateText(painter, small_, fileName_, QPoint(width_ - margin, height_ - margin),
            Qt::AlignRight | Qt::AlignBottom);

  // Second dial: the hand turns once per second of the clock.
  const double radius = height_ / 14.0;
  const QPointF centre(width_ - margin - radius, margin + largeMetrics.height() * 2 + radius);
  const double angle = 2 * std::numbers::pi * (frame % framesPerSecond_) / framesPerSecond_;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0, 0, 0, 150));
  painter.setPen(QPen(Qt::white, std::max(1.0, radius / 12)));
  painter.drawEllipse(centre, radius, radius);
  painter.setPen(QPen(QColor::fromRgb(scheme.labelBox), std::max(2.0, radius / 6), Qt::SolidLine,
                      Qt::RoundCap));
  painter.drawLine(centre, centre + QPointF(std::sin(angle), -std::cos(angle)) * radius * 0.85);
}

const QImage& FramePainter::paint(int frame, const CivilTime& start, const RoutePoint& point) {
  if (frame > 0) travelledMetres_ += point.speedKnots * 1852.0 / 3600.0 / framesPerSecond_;
  std::memcpy(picture_.bits(), background_.constBits(), std::size_t(background_.sizeInBytes()));
  QPainter painter(&picture_);
  paintLaneMarks(painter);
  paintOverlay(painter, frame, start, point);
  return picture_;
}

}  // namespace samplecard

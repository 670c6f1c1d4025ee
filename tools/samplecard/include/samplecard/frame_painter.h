#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include "samplecard/civil_time.h"
#include "samplecard/route.h"

class QPainter;

namespace samplecard {

enum class Camera { Front, Rear };

// Paints the pictures of one recording: a road scene in the camera's own colours with lane marks
// that move with the car, the camera's name, the recorder clock with hundredths, the frame
// number, a dial whose hand turns once a second, speed and course, and the file name.
// Needs a QGuiApplication (see ensureGuiApplication). Not thread-safe; one painter per clip.
class FramePainter {
 public:
  FramePainter(int width, int height, Camera camera, const QString& fileName, int framesPerSecond);

  // Frames are painted in order from 0: the lane marks advance by the distance driven since the
  // previous frame. The returned picture is valid until the next call.
  const QImage& paint(int frame, const CivilTime& start, const RoutePoint& point);

 private:
  void paintBackground();
  void paintLaneMarks(QPainter& painter) const;
  void paintOverlay(QPainter& painter, int frame, const CivilTime& start,
                    const RoutePoint& point) const;

  int width_;
  int height_;
  Camera camera_;
  QString fileName_;
  int framesPerSecond_;
  QImage background_;
  QImage picture_;
  QFont large_;
  QFont small_;
  double travelledMetres_ = 0;
};

}  // namespace samplecard

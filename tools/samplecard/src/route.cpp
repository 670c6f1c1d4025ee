#include "samplecard/route.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace samplecard {
namespace {

struct ProfileKnot {
  double seconds;
  double speedKmh;
  double course;  // unwrapped: the last knot is the first plus 360
};

// Speed and course are linear between knots.
constexpr std::array<ProfileKnot, 12> kProfile{{
    {0, 0, 20},
    {4, 0, 20},
    {14, 50, 20},
    {24, 50, 110},
    {34, 110, 110},
    {48, 110, 150},
    {60, 110, 200},
    {64, 60, 200},
    {70, 20, 260},
    {78, 30, 380},
    {84, 0, 380},
    {Route::cycleSeconds, 0, 380},
}};

constexpr double kTrackStep = 0.05;
constexpr double kMetresPerDegree = 111320.0;
constexpr double kKmhPerKnot = 1.852;

struct ProfileSample {
  double speedKmh;
  double course;
  double accelerationMs2;
  double turnRate;
};

ProfileSample profileAt(double cycleTime) {
  std::size_t i = 1;
  while (i + 1 < kProfile.size() && kProfile[i].seconds <= cycleTime) ++i;
  const ProfileKnot& a = kProfile[i - 1];
  const ProfileKnot& b = kProfile[i];
  const double span = b.seconds - a.seconds;
  const double f = std::clamp((cycleTime - a.seconds) / span, 0.0, 1.0);
  return ProfileSample{a.speedKmh + f * (b.speedKmh - a.speedKmh),
                       a.course + f * (b.course - a.course), (b.speedKmh - a.speedKmh) / 3.6 / span,
                       (b.course - a.course) / span};
}

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

Route::Route(Hemisphere hemisphere) : hemisphere_(hemisphere) {
  const auto steps = static_cast<std::size_t>(std::lround(cycleSeconds / kTrackStep));
  cycleTrack_.reserve(steps + 1);
  Offset position;
  cycleTrack_.push_back(position);
  for (std::size_t i = 0; i < steps; ++i) {
    const ProfileSample from = profileAt(double(i) * kTrackStep);
    const ProfileSample to = profileAt(double(i + 1) * kTrackStep);
    const double metres = (from.speedKmh + to.speedKmh) / 2 / 3.6 * kTrackStep;
    const double course = radians((from.course + to.course) / 2);
    position.north += metres * std::cos(course);
    position.east += metres * std::sin(course);
    cycleTrack_.push_back(position);
  }
  cycleDisplacement_ = position;
}

Route::Offset Route::offsetAt(double driveSeconds) const {
  const double cycles = std::floor(driveSeconds / cycleSeconds);
  const double cycleTime = driveSeconds - cycles * cycleSeconds;
  const double slot = cycleTime / kTrackStep;
  const auto i = std::min(static_cast<std::size_t>(slot), cycleTrack_.size() - 2);
  const double f = slot - double(i);
  const Offset& a = cycleTrack_[i];
  const Offset& b = cycleTrack_[i + 1];
  return Offset{cycles * cycleDisplacement_.north + a.north + f * (b.north - a.north),
                cycles * cycleDisplacement_.east + a.east + f * (b.east - a.east)};
}

RoutePoint Route::at(double driveSeconds) const {
  driveSeconds = std::max(driveSeconds, 0.0);
  const double cycleTime = std::fmod(driveSeconds, cycleSeconds);
  const ProfileSample profile = profileAt(cycleTime);
  const Offset offset = offsetAt(driveSeconds);

  RoutePoint point;
  point.latitude = startLatitude + offset.north / kMetresPerDegree;
  point.longitude =
      startLongitude + offset.east / (kMetresPerDegree * std::cos(radians(startLatitude)));
  point.speedKnots = profile.speedKmh / kKmhPerKnot;
  point.courseDegrees = std::fmod(profile.course, 360.0);
  point.accelerationMs2 = profile.accelerationMs2;
  point.turnRateDegreesPerSecond = profile.turnRate;
  point.altitudeMetres = 32.0 + 6.0 * std::sin(2 * std::numbers::pi * cycleTime / cycleSeconds);
  if (hemisphere_ == Hemisphere::SouthWest) {
    point.latitude = -point.latitude;
    point.longitude = -point.longitude;
    point.courseDegrees = std::fmod(point.courseDegrees + 180.0, 360.0);
  }
  return point;
}

}  // namespace samplecard

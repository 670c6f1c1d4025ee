#pragma once

#include <vector>

namespace samplecard {

enum class Hemisphere { NorthEast, SouthWest };

// Signed decimal degrees (south and west negative), speed over ground and course over ground.
struct RoutePoint {
  double latitude = 0;
  double longitude = 0;
  double speedKnots = 0;
  double courseDegrees = 0;    // 0 <= course < 360, clockwise from north
  double accelerationMs2 = 0;  // along the course
  double turnRateDegreesPerSecond = 0;
  double altitudeMetres = 0;
};

// A deterministic drive that repeats every cycleSeconds: standing, town speed, motorway speed,
// hard braking, standing again, while the course turns once round the compass. Position is
// integrated from speed and course on a flat-earth approximation around the start point.
// SouthWest mirrors the drive through the centre of the earth's face: latitude and longitude
// change sign and the course turns by 180 degrees.
class Route {
 public:
  static constexpr double cycleSeconds = 90;
  static constexpr double startLatitude = 37.0 + 33.1234 / 60.0;
  static constexpr double startLongitude = 126.0 + 59.5678 / 60.0;

  explicit Route(Hemisphere hemisphere = Hemisphere::NorthEast);

  // driveSeconds >= 0; later times keep driving round the same cycle.
  RoutePoint at(double driveSeconds) const;

 private:
  struct Offset {
    double north = 0;
    double east = 0;
  };
  Offset offsetAt(double driveSeconds) const;

  Hemisphere hemisphere_;
  std::vector<Offset> cycleTrack_;  // metres from the start, sampled every trackStep seconds
  Offset cycleDisplacement_;
};

}  // namespace samplecard

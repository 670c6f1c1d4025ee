#pragma once

#include <cstdint>

#include "samplecard/route.h"

namespace samplecard {

// One acceleration sample in g: x forward, y to the left, z up (1 g at rest).
struct GSample {
  float x = 0;
  float y = 0;
  float z = 1;
};

// Acceleration that follows the drive (braking, turning) plus sensor noise, and one decaying
// bump (a pothole, an impact) whose first swing reaches bumpPeakG on the x axis.
class GSensorModel {
 public:
  GSensorModel(std::uint64_t seed, int bumpEntry, double bumpPeakG);

  GSample sample(int entry, const RoutePoint& point) const;

 private:
  std::uint64_t seed_;
  int bumpEntry_;
  double bumpPeakG_;
};

}  // namespace samplecard

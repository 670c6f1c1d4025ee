#include "samplecard/gsensor.h"

#include <cmath>
#include <numbers>

namespace samplecard {
namespace {

constexpr double kStandardGravity = 9.80665;
constexpr double kNoiseG = 0.03;
constexpr int kBumpEntries = 8;
constexpr double kBumpDecay = 0.55;

// SplitMix64: a fixed generator, so that every platform and library draws the same noise.
std::uint64_t mix(std::uint64_t value) {
  value += 0x9E3779B97F4A7C15ull;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
  return value ^ (value >> 31);
}

// Roughly bell-shaped noise in [-kNoiseG, kNoiseG].
double noise(std::uint64_t seed, int entry, int axis) {
  const std::uint64_t bits = mix(seed ^ mix(std::uint64_t(entry) * 3 + std::uint64_t(axis)));
  const double a = double(bits >> 40) / double(1ull << 24);
  const double b = double((bits >> 16) & 0xFFFFFF) / double(1ull << 24);
  return (a + b - 1.0) * kNoiseG;
}

}  // namespace

GSensorModel::GSensorModel(std::uint64_t seed, int bumpEntry, double bumpPeakG)
    : seed_(seed), bumpEntry_(bumpEntry), bumpPeakG_(bumpPeakG) {}

GSample GSensorModel::sample(int entry, const RoutePoint& point) const {
  const double speedMs = point.speedKnots * 1852.0 / 3600.0;
  const double turnRate = point.turnRateDegreesPerSecond * std::numbers::pi / 180.0;
  double x = point.accelerationMs2 / kStandardGravity + noise(seed_, entry, 0);
  double y = speedMs * turnRate / kStandardGravity + noise(seed_, entry, 1);
  double z = 1.0 + noise(seed_, entry, 2);

  const int sinceBump = entry - bumpEntry_;
  if (sinceBump >= 0 && sinceBump < kBumpEntries) {
    const double swing = bumpPeakG_ * std::pow(kBumpDecay, sinceBump) * (sinceBump % 2 ? -1 : 1);
    x += swing;
    y += 0.3 * swing;
    z += 0.6 * swing;
  }
  return GSample{float(x), float(y), float(z)};
}

}  // namespace samplecard

#include "samplecard/tone.h"

#include <cmath>
#include <numbers>

namespace samplecard {

std::vector<float> ToneGenerator::samples(std::int64_t first, int count) const {
  constexpr double kHum = 440.0;
  constexpr double kBeep = 880.0;
  constexpr std::int64_t kBeepSamples = sampleRate / 10;
  std::vector<float> out(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::int64_t n = first + i;
    const double t = double(n % sampleRate) / sampleRate;  // every period divides one second
    double value = 0.1 * std::sin(2 * std::numbers::pi * kHum * t);
    if (n % sampleRate < kBeepSamples) value += 0.3 * std::sin(2 * std::numbers::pi * kBeep * t);
    out[static_cast<std::size_t>(i)] = float(value);
  }
  return out;
}

}  // namespace samplecard

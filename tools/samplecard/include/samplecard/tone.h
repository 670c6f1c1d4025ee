#pragma once

#include <cstdint>
#include <vector>

namespace samplecard {

// The front camera's sound: a quiet 440 Hz hum with an 880 Hz beep during the first tenth of
// every second, so that sound and burned-in clock can be checked against each other.
class ToneGenerator {
 public:
  static constexpr int sampleRate = 48000;

  // Samples [first, first + count) of the mono signal, in -1..1.
  std::vector<float> samples(std::int64_t first, int count) const;
};

}  // namespace samplecard

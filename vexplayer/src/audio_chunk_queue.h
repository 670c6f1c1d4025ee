#pragma once
// Decoded channel-1 audio on its way from the decoder thread to the player thread, as 16-bit
// stereo samples at kAudioRate. It never blocks the decoder: past kCapacitySeconds the oldest
// chunks are dropped (the player is paused, or the file interleaves badly).

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace vexplayer {

inline constexpr int kAudioRate = 48000;
inline constexpr int kAudioChannels = 2;

struct AudioChunk {
    std::uint64_t serial = 0;
    double position = 0;                 // seconds from the start of the video
    std::vector<std::int16_t> samples;   // interleaved stereo
    double seconds() const { return static_cast<double>(samples.size()) / (kAudioRate * kAudioChannels); }
};

class AudioChunkQueue {
public:
    static constexpr double kCapacitySeconds = 3.0;

    void push(AudioChunk chunk);
    // The oldest chunk of this serial (older serials are dropped), without taking it.
    std::optional<AudioChunk> peek(std::uint64_t serial);
    void pop();

private:
    std::mutex mutex_;
    std::deque<AudioChunk> chunks_;
    double seconds_ = 0;
};

} // namespace vexplayer

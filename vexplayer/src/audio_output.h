#pragma once
// Channel-1 sound through SDL2's default device at the commanded volume and speed (the speed
// changes the pitch: a plain resampling). Without a device there is no AudioOutput and playback is
// silent. Player thread only.

#include <cstdint>
#include <memory>

#include "audio_chunk_queue.h"

struct SwrContext;

namespace vexplayer {

class AudioOutput {
public:
    // Nothing when no audio device can be opened (no sound server, no card, CI).
    static std::unique_ptr<AudioOutput> open();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    void setPaused(bool paused);
    void clear();
    // Drops what is queued: it was made for the old speed.
    void setSpeed(double speed);
    void setVolume(int percent);
    // Seconds of device time still queued.
    double queuedSeconds() const;
    void play(const AudioChunk& chunk);

private:
    explicit AudioOutput(std::uint32_t device) : device_(device) {}

    std::uint32_t device_;
    double speed_ = 1.0;
    int volume_ = 100;
    bool paused_ = false;
    SwrContext* stretcher_ = nullptr;
};

} // namespace vexplayer

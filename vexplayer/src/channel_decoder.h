#pragma once
// One channel's decoder thread: reads the recording, decodes its video (frame-threaded) into
// pictures and, for channel 1, its audio into chunks, a few pictures ahead of the player thread.
// Seeks are requests with a serial; the thread applies the newest one and tags everything decoded
// after it with that serial, dropping pictures before the target.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "audio_chunk_queue.h"
#include "media_file.h"
#include "picture_queue.h"

namespace vexplayer {

struct DecoderSettings {
    bool makePictures = true;   // false: decode only (benchmark)
    bool decodeAudio = false;
};

class ChannelDecoder {
public:
    static constexpr std::size_t kPicturesAhead = 6;

    // Starts decoding from the start of the file, tagging pictures with the serial.
    ChannelDecoder(std::unique_ptr<MediaFile> file, DecoderSettings settings, std::uint64_t serial,
                   std::shared_ptr<Wakeup> consumer);
    ~ChannelDecoder();   // stops and joins the thread
    ChannelDecoder(const ChannelDecoder&) = delete;
    ChannelDecoder& operator=(const ChannelDecoder&) = delete;

    // Player thread.
    void seek(double position, std::uint64_t serial);
    void setAudioWanted(bool wanted) { audioWanted_ = wanted; }
    PictureQueue& pictures() { return pictures_; }
    AudioChunkQueue& audio() { return audio_; }
    double clipSeconds() const { return clipSeconds_; }
    double frameSeconds() const { return frameSeconds_; }
    bool hasAudio() const { return hasAudio_; }

private:
    struct SeekRequest {
        double position = 0;
        std::uint64_t serial = 0;
    };
    class Worker;

    const double clipSeconds_;
    const double frameSeconds_;
    const bool hasAudio_;
    PictureQueue pictures_;
    AudioChunkQueue audio_;
    std::atomic<bool> audioWanted_{true};
    std::atomic<bool> stopping_{false};
    std::atomic<bool> seekPending_{false};
    std::mutex requestMutex_;
    std::condition_variable requestArrived_;
    std::optional<SeekRequest> request_;
    std::unique_ptr<Worker> worker_;
    std::thread thread_;
};

} // namespace vexplayer

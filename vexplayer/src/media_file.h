#pragma once
// One recording opened for decoding: the MP4 container read through RecordingInput (no other
// protocol or container is ever tried), its first video stream and, when asked for, its first
// audio stream, each with an opened decoder. Used by one thread at a time.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "recording_input.h"

namespace vexplayer {

struct MediaStream {
    int index = -1;
    AVStream* stream = nullptr;
    AVCodecContext* codec = nullptr;
};

class MediaFile {
public:
    // Nothing when the file is missing, empty, does not start with "ftyp", is no MP4 the demuxer
    // accepts, or has no video stream a decoder we trust can open.
    static std::unique_ptr<MediaFile> open(const std::string& path,
                                           std::optional<std::uint32_t> scrambleKey, bool withAudio);
    ~MediaFile();
    MediaFile(const MediaFile&) = delete;
    MediaFile& operator=(const MediaFile&) = delete;

    AVFormatContext* format() const { return format_; }
    const MediaStream& video() const { return video_; }
    const MediaStream& audio() const { return audio_; }   // index -1 without audio

    double clipSeconds() const { return clipSeconds_; }
    double frameSeconds() const { return frameSeconds_; }
    // Seconds from the start of the video of a time stamp in a stream's time base.
    double positionOf(std::int64_t timestamp, AVRational timeBase) const;
    // A video time stamp for a position.
    std::int64_t videoTimestampAt(double seconds) const;

    // The input reported a read error (as opposed to its end).
    bool readFailed() const { return readFailed_.load(); }
    // Makes blocking demuxer calls give up; any thread.
    void interrupt() { interrupted_ = true; }

private:
    explicit MediaFile(RecordingInput input) : input_(std::move(input)) {}
    bool openContainer();
    bool openVideo();
    void openAudio();
    static int Read(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t SeekTo(void* opaque, std::int64_t offset, int whence);
    static int Interrupted(void* opaque);

    RecordingInput input_;
    std::int64_t readPosition_ = 0;
    std::atomic<bool> readFailed_{false};
    std::atomic<bool> interrupted_{false};
    AVIOContext* io_ = nullptr;
    AVFormatContext* format_ = nullptr;
    MediaStream video_;
    MediaStream audio_;
    double startSeconds_ = 0;
    double clipSeconds_ = 0;
    double frameSeconds_ = 1.0 / 30;
};

} // namespace vexplayer

#include "media_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

extern "C" {
#include <libavutil/avutil.h>
}

namespace vexplayer {

namespace {

constexpr int kIoBufferBytes = 64 * 1024;
constexpr std::int64_t kMaxPixels = 8192LL * 4320;   // 8K; anything larger is hostile
constexpr double kDefaultFrameSeconds = 1.0 / 30;

// The decoders a recording can need; no other decoder is exposed to file contents.
constexpr std::array kVideoCodecs{AV_CODEC_ID_H264, AV_CODEC_ID_HEVC, AV_CODEC_ID_MPEG4,
                                  AV_CODEC_ID_MJPEG};
constexpr std::array kAudioCodecs{AV_CODEC_ID_AAC,       AV_CODEC_ID_MP3,       AV_CODEC_ID_PCM_S16LE,
                                  AV_CODEC_ID_PCM_S16BE, AV_CODEC_ID_PCM_MULAW, AV_CODEC_ID_PCM_ALAW};

template <std::size_t N>
bool Trusted(const std::array<AVCodecID, N>& list, AVCodecID id) {
    return std::find(list.begin(), list.end(), id) != list.end();
}

AVCodecContext* OpenDecoder(AVStream* stream, bool frameThreads) {
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!decoder) return nullptr;
    AVCodecContext* codec = avcodec_alloc_context3(decoder);
    if (!codec) return nullptr;
    codec->max_pixels = kMaxPixels;
    codec->pkt_timebase = stream->time_base;
    codec->thread_count = frameThreads ? 0 : 1;
    codec->thread_type = FF_THREAD_FRAME;
    if (avcodec_parameters_to_context(codec, stream->codecpar) < 0 ||
        avcodec_open2(codec, decoder, nullptr) < 0) {
        avcodec_free_context(&codec);
        return nullptr;
    }
    return codec;
}

double Seconds(AVRational rate) { return rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : 0; }

} // namespace

std::unique_ptr<MediaFile> MediaFile::open(const std::string& path,
                                           std::optional<std::uint32_t> scrambleKey, bool withAudio) {
    auto input = RecordingInput::open(path, scrambleKey);
    if (!input || !input->startsWithFileType()) return nullptr;
    std::unique_ptr<MediaFile> file(new MediaFile(std::move(*input)));
    if (!file->openContainer() || !file->openVideo()) return nullptr;
    if (withAudio) file->openAudio();
    return file;
}

MediaFile::~MediaFile() {
    avcodec_free_context(&video_.codec);
    avcodec_free_context(&audio_.codec);
    avformat_close_input(&format_);
    if (io_) av_freep(&io_->buffer);
    avio_context_free(&io_);
}

int MediaFile::Read(void* opaque, std::uint8_t* buffer, int size) {
    auto* file = static_cast<MediaFile*>(opaque);
    const std::int64_t got =
        file->input_.readAt(file->readPosition_, std::span(buffer, static_cast<std::size_t>(size)));
    if (got < 0) {
        file->readFailed_ = true;
        return AVERROR(EIO);
    }
    if (got == 0) return AVERROR_EOF;
    file->readPosition_ += got;
    return static_cast<int>(got);
}

std::int64_t MediaFile::SeekTo(void* opaque, std::int64_t offset, int whence) {
    auto* file = static_cast<MediaFile*>(opaque);
    const std::int64_t size = file->input_.size();
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE: return size;
    case SEEK_SET: break;
    case SEEK_CUR: offset += file->readPosition_; break;
    case SEEK_END: offset += size; break;
    default: return AVERROR(EINVAL);
    }
    if (offset < 0) return AVERROR(EINVAL);
    file->readPosition_ = offset;
    return offset;
}

int MediaFile::Interrupted(void* opaque) {
    return static_cast<MediaFile*>(opaque)->interrupted_.load() ? 1 : 0;
}

bool MediaFile::openContainer() {
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
    if (!buffer) return false;
    io_ = avio_alloc_context(buffer, kIoBufferBytes, 0, this, &Read, nullptr, &SeekTo);
    if (!io_) {
        av_free(buffer);
        return false;
    }
    format_ = avformat_alloc_context();
    if (!format_) return false;
    format_->pb = io_;
    format_->interrupt_callback = {&Interrupted, this};
    const AVInputFormat* mp4 = av_find_input_format("mp4");
    if (avformat_open_input(&format_, nullptr, mp4, nullptr) < 0) return false;   // frees format_
    return true;
}

bool MediaFile::openVideo() {
    const int index = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0) return false;
    AVStream* stream = format_->streams[index];
    const AVCodecParameters* parameters = stream->codecpar;
    if (!Trusted(kVideoCodecs, parameters->codec_id) || parameters->width <= 0 ||
        parameters->height <= 0 || std::int64_t{parameters->width} * parameters->height > kMaxPixels ||
        stream->time_base.num <= 0 || stream->time_base.den <= 0)
        return false;
    video_ = {index, stream, OpenDecoder(stream, true)};
    if (!video_.codec) return false;
    for (unsigned i = 0; i < format_->nb_streams; ++i)
        if (static_cast<int>(i) != index) format_->streams[i]->discard = AVDISCARD_ALL;

    startSeconds_ = stream->start_time != AV_NOPTS_VALUE ? stream->start_time * av_q2d(stream->time_base) : 0;
    frameSeconds_ = Seconds(stream->avg_frame_rate);
    if (frameSeconds_ <= 0) frameSeconds_ = Seconds(stream->r_frame_rate);
    frameSeconds_ = frameSeconds_ > 0 ? std::clamp(frameSeconds_, 1.0 / 240, 1.0) : kDefaultFrameSeconds;
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        clipSeconds_ = stream->duration * av_q2d(stream->time_base);
    else if (format_->duration != AV_NOPTS_VALUE && format_->duration > 0)
        clipSeconds_ = static_cast<double>(format_->duration) / AV_TIME_BASE;
    if (!std::isfinite(clipSeconds_) || clipSeconds_ < 0) clipSeconds_ = 0;
    if (!std::isfinite(startSeconds_)) startSeconds_ = 0;
    return true;
}

void MediaFile::openAudio() {
    const int index = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, video_.index, nullptr, 0);
    if (index < 0) return;
    AVStream* stream = format_->streams[index];
    if (!Trusted(kAudioCodecs, stream->codecpar->codec_id) || stream->time_base.num <= 0 ||
        stream->time_base.den <= 0)
        return;
    AVCodecContext* codec = OpenDecoder(stream, false);
    if (!codec) return;
    audio_ = {index, stream, codec};
    stream->discard = AVDISCARD_DEFAULT;
}

double MediaFile::positionOf(std::int64_t timestamp, AVRational timeBase) const {
    return timestamp * av_q2d(timeBase) - startSeconds_;
}

std::int64_t MediaFile::videoTimestampAt(double seconds) const {
    const double units = (seconds + startSeconds_) / av_q2d(video_.stream->time_base);
    return static_cast<std::int64_t>(std::clamp(units, -9.0e18, 9.0e18));
}

} // namespace vexplayer

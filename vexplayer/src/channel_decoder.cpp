#include "channel_decoder.h"

#include <cmath>

extern "C" {
#include <libswresample/swresample.h>
}

#include "picture_converter.h"

namespace vexplayer {

namespace {

// Demuxer errors in a row after which a damaged file counts as ended.
constexpr int kMaxReadErrorsInARow = 64;
constexpr int kMaxAudioChannels = 64;

double TimestampOf(const AVFrame& frame) {
    if (frame.best_effort_timestamp != AV_NOPTS_VALUE) return static_cast<double>(frame.best_effort_timestamp);
    if (frame.pts != AV_NOPTS_VALUE) return static_cast<double>(frame.pts);
    return NAN;
}

} // namespace

// Everything the decoder thread alone touches.
class ChannelDecoder::Worker {
public:
    Worker(ChannelDecoder& owner, std::unique_ptr<MediaFile> file, DecoderSettings settings,
           std::uint64_t serial)
        : owner_(owner), file_(std::move(file)), settings_(settings), serial_(serial) {}
    ~Worker() {
        av_packet_free(&packet_);
        av_frame_free(&frame_);
        av_frame_free(&fallback_);
        swr_free(&resampler_);
        av_channel_layout_uninit(&resamplerLayout_);
    }

    void run();
    void interrupt() { file_->interrupt(); }

private:
    bool interrupted() const { return owner_.stopping_ || owner_.seekPending_; }
    void applyPendingSeek();
    void waitForRequest();
    void readPacket();
    void decodeVideo(const AVPacket* packet);
    void acceptPicture(const AVFrame& frame);
    DecodedPicture makePicture(const AVFrame& frame, double position);
    void deliver(DecodedPicture picture);
    void finish(bool readFailed);
    void decodeAudio(const AVPacket* packet);
    void acceptAudio(const AVFrame& frame);
    bool prepareResampler(const AVFrame& frame);

    ChannelDecoder& owner_;
    std::unique_ptr<MediaFile> file_;
    const DecoderSettings settings_;
    PictureConverter converter_;
    AVPacket* packet_ = av_packet_alloc();
    AVFrame* frame_ = av_frame_alloc();
    AVFrame* fallback_ = av_frame_alloc();   // the newest frame before a seek target
    SwrContext* resampler_ = nullptr;
    AVChannelLayout resamplerLayout_{};
    int resamplerFormat_ = -1;
    int resamplerRate_ = 0;

    std::uint64_t serial_;
    double dropBefore_ = -INFINITY;
    double lastPosition_ = 0;
    double nextAudioPosition_ = 0;
    std::optional<DecodedPicture> held_;   // kept back one picture, to mark the last one
    bool anyPicture_ = false;
    bool finished_ = false;
    int readErrorsInARow_ = 0;
};

void ChannelDecoder::Worker::run() {
    if (!packet_ || !frame_ || !fallback_) {
        owner_.pictures_.finish(serial_, false, false);
        return;
    }
    while (!owner_.stopping_) {
        applyPendingSeek();
        if (finished_)
            waitForRequest();
        else
            readPacket();
    }
}

void ChannelDecoder::Worker::applyPendingSeek() {
    SeekRequest request;
    {
        std::lock_guard lock(owner_.requestMutex_);
        if (!owner_.request_) return;
        request = *owner_.request_;
        owner_.request_.reset();
        owner_.seekPending_ = false;
    }
    serial_ = request.serial;
    dropBefore_ = request.position - file_->frameSeconds() / 2;
    lastPosition_ = request.position;
    nextAudioPosition_ = request.position;
    held_.reset();
    av_frame_unref(fallback_);
    anyPicture_ = false;
    finished_ = false;
    readErrorsInARow_ = 0;
    const MediaStream& video = file_->video();
    const std::int64_t target = file_->videoTimestampAt(request.position);
    if (av_seek_frame(file_->format(), video.index, target, AVSEEK_FLAG_BACKWARD) < 0)
        avformat_seek_file(file_->format(), video.index, INT64_MIN, target, INT64_MAX, 0);
    avcodec_flush_buffers(video.codec);
    if (file_->audio().codec) avcodec_flush_buffers(file_->audio().codec);
}

void ChannelDecoder::Worker::waitForRequest() {
    std::unique_lock lock(owner_.requestMutex_);
    owner_.requestArrived_.wait(lock, [this] { return owner_.request_ || owner_.stopping_; });
}

void ChannelDecoder::Worker::readPacket() {
    const int result = av_read_frame(file_->format(), packet_);
    if (result < 0) {
        const bool readFailed = file_->readFailed();
        if (result == AVERROR_EOF || readFailed || ++readErrorsInARow_ >= kMaxReadErrorsInARow)
            finish(readFailed);
        return;
    }
    readErrorsInARow_ = 0;
    if (packet_->stream_index == file_->video().index)
        decodeVideo(packet_);
    else if (packet_->stream_index == file_->audio().index && owner_.audioWanted_)
        decodeAudio(packet_);
    av_packet_unref(packet_);
}

void ChannelDecoder::Worker::decodeVideo(const AVPacket* packet) {
    AVCodecContext* codec = file_->video().codec;
    const int sent = avcodec_send_packet(codec, packet);
    if (sent < 0 && sent != AVERROR(EAGAIN)) return;   // a damaged packet is skipped
    while (!owner_.stopping_ && avcodec_receive_frame(codec, frame_) >= 0) {
        acceptPicture(*frame_);
        av_frame_unref(frame_);
    }
}

void ChannelDecoder::Worker::acceptPicture(const AVFrame& frame) {
    if (owner_.seekPending_) return;
    const double timestamp = TimestampOf(frame);
    const double position = std::isfinite(timestamp)
                                ? file_->positionOf(static_cast<std::int64_t>(timestamp),
                                                    file_->video().stream->time_base)
                                : lastPosition_ + file_->frameSeconds();
    lastPosition_ = position;
    if (position < dropBefore_) {
        av_frame_unref(fallback_);
        av_frame_ref(fallback_, &frame);
        return;
    }
    deliver(makePicture(frame, position));
}

DecodedPicture ChannelDecoder::Worker::makePicture(const AVFrame& frame, double position) {
    DecodedPicture picture;
    picture.serial = serial_;
    picture.position = position;
    picture.duration = file_->frameSeconds();
    if (settings_.makePictures) picture.image = converter_.convert(frame);
    return picture;
}

void ChannelDecoder::Worker::deliver(DecodedPicture picture) {
    anyPicture_ = true;
    if (held_ && !owner_.pictures_.push(std::move(*held_), [this] { return interrupted(); })) {
        held_.reset();
        return;
    }
    held_ = std::move(picture);
}

void ChannelDecoder::Worker::finish(bool readFailed) {
    decodeVideo(nullptr);   // drains the decoder's delayed frames
    if (!held_ && fallback_->buf[0] && !owner_.seekPending_) {
        held_ = makePicture(*fallback_, lastPosition_);
        anyPicture_ = true;
    }
    av_frame_unref(fallback_);
    if (held_) {
        held_->last = true;
        owner_.pictures_.push(std::move(*held_), [this] { return interrupted(); });
        held_.reset();
    }
    owner_.pictures_.finish(serial_, readFailed, anyPicture_);
    finished_ = true;
}

void ChannelDecoder::Worker::decodeAudio(const AVPacket* packet) {
    AVCodecContext* codec = file_->audio().codec;
    const int sent = avcodec_send_packet(codec, packet);
    if (sent < 0 && sent != AVERROR(EAGAIN)) return;
    while (avcodec_receive_frame(codec, frame_) >= 0) {
        acceptAudio(*frame_);
        av_frame_unref(frame_);
    }
}

bool ChannelDecoder::Worker::prepareResampler(const AVFrame& frame) {
    if (frame.sample_rate <= 0 || frame.nb_samples <= 0 || frame.ch_layout.nb_channels <= 0 ||
        frame.ch_layout.nb_channels > kMaxAudioChannels)
        return false;
    if (resampler_ && frame.format == resamplerFormat_ && frame.sample_rate == resamplerRate_ &&
        av_channel_layout_compare(&frame.ch_layout, &resamplerLayout_) == 0)
        return true;
    swr_free(&resampler_);
    av_channel_layout_uninit(&resamplerLayout_);
    if (av_channel_layout_copy(&resamplerLayout_, &frame.ch_layout) < 0) return false;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    if (swr_alloc_set_opts2(&resampler_, &stereo, AV_SAMPLE_FMT_S16, kAudioRate, &resamplerLayout_,
                            static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr) < 0 ||
        swr_init(resampler_) < 0) {
        swr_free(&resampler_);
        return false;
    }
    resamplerFormat_ = frame.format;
    resamplerRate_ = frame.sample_rate;
    return true;
}

void ChannelDecoder::Worker::acceptAudio(const AVFrame& frame) {
    if (owner_.seekPending_ || !prepareResampler(frame)) return;
    const double timestamp = TimestampOf(frame);
    const double position = std::isfinite(timestamp)
                                ? file_->positionOf(static_cast<std::int64_t>(timestamp),
                                                    file_->audio().stream->time_base)
                                : nextAudioPosition_;
    const int room = swr_get_out_samples(resampler_, frame.nb_samples);
    if (room <= 0) return;
    AudioChunk chunk;
    chunk.serial = serial_;
    chunk.position = position;
    chunk.samples.resize(static_cast<std::size_t>(room) * kAudioChannels);
    auto* out = reinterpret_cast<std::uint8_t*>(chunk.samples.data());
    const int converted = swr_convert(resampler_, &out, room, const_cast<const std::uint8_t**>(frame.extended_data),
                                      frame.nb_samples);
    if (converted <= 0) return;
    chunk.samples.resize(static_cast<std::size_t>(converted) * kAudioChannels);
    nextAudioPosition_ = position + chunk.seconds();
    if (nextAudioPosition_ < dropBefore_) return;
    owner_.audio_.push(std::move(chunk));
}

ChannelDecoder::ChannelDecoder(std::unique_ptr<MediaFile> file, DecoderSettings settings,
                               std::uint64_t serial, std::shared_ptr<Wakeup> consumer)
    : clipSeconds_(file->clipSeconds()),
      frameSeconds_(file->frameSeconds()),
      hasAudio_(settings.decodeAudio && file->audio().codec != nullptr),
      pictures_(kPicturesAhead, std::move(consumer)) {
    worker_ = std::make_unique<Worker>(*this, std::move(file), settings, serial);
    thread_ = std::thread([this] { worker_->run(); });
}

ChannelDecoder::~ChannelDecoder() {
    {
        std::lock_guard lock(requestMutex_);
        stopping_ = true;
    }
    worker_->interrupt();
    requestArrived_.notify_all();
    pictures_.wakeProducer();
    thread_.join();
}

void ChannelDecoder::seek(double position, std::uint64_t serial) {
    {
        std::lock_guard lock(requestMutex_);
        request_ = SeekRequest{position, serial};
        seekPending_ = true;
    }
    requestArrived_.notify_all();
    pictures_.wakeProducer();
}

} // namespace vexplayer

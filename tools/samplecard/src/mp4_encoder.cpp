#include "samplecard/mp4_encoder.h"

#include <QImage>
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "samplecard/tone.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace samplecard {
namespace {

constexpr int kIoBufferBytes = 64 * 1024;
constexpr int kAudioBitRate = 96000;

[[noreturn]] void fail(const char* what, int code = 0) {
  std::string message = std::string("samplecard: ") + what;
  if (code < 0) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    message += std::string(": ") + text;
  }
  throw std::runtime_error(message);
}

void check(int code, const char* what) {
  if (code < 0) fail(what, code);
}

struct CodecContextDeleter {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameDeleter {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketDeleter {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScalerDeleter {
  void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};
using CodecContext = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using Frame = std::unique_ptr<AVFrame, FrameDeleter>;
using Packet = std::unique_ptr<AVPacket, PacketDeleter>;
using Scaler = std::unique_ptr<SwsContext, ScalerDeleter>;

// A seekable in-memory file for the muxer, which goes back to fill in box sizes.
struct MemoryFile {
  std::vector<std::uint8_t> bytes;
  std::size_t position = 0;

  static int write(void* opaque, std::uint8_t* data, int size) {
    auto* file = static_cast<MemoryFile*>(opaque);
    const std::size_t end = file->position + std::size_t(size);
    if (file->bytes.size() < end) file->bytes.resize(end);
    std::memcpy(file->bytes.data() + file->position, data, std::size_t(size));
    file->position = end;
    return size;
  }

  static std::int64_t seek(void* opaque, std::int64_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(opaque);
    const auto size = std::int64_t(file->bytes.size());
    std::int64_t target = 0;
    switch (whence & ~AVSEEK_FORCE) {
      case AVSEEK_SIZE:
        return size;
      case SEEK_SET:
        target = offset;
        break;
      case SEEK_CUR:
        target = std::int64_t(file->position) + offset;
        break;
      case SEEK_END:
        target = size + offset;
        break;
      default:
        return AVERROR(EINVAL);
    }
    if (target < 0) return AVERROR(EINVAL);
    file->position = std::size_t(target);
    return target;
  }
};

Frame allocateFrame() {
  Frame frame(av_frame_alloc());
  if (!frame) fail("out of memory");
  return frame;
}

}  // namespace

struct Mp4Encoder::Impl {
  EncoderSettings settings;
  MemoryFile file;
  AVFormatContext* format = nullptr;
  AVStream* videoStream = nullptr;
  AVStream* audioStream = nullptr;
  CodecContext video;
  CodecContext audio;
  Scaler scaler;
  Frame videoFrame = allocateFrame();
  Frame audioFrame = allocateFrame();
  Packet packet{av_packet_alloc()};
  ToneGenerator tone;
  std::int64_t framesAdded = 0;
  std::int64_t audioSamplesSent = 0;
  bool finished = false;

  explicit Impl(const EncoderSettings& s) : settings(s) {
    if (!packet) fail("out of memory");
    check(avformat_alloc_output_context2(&format, nullptr, "mp4", nullptr), "mp4 muxer");
    format->flags |= AVFMT_FLAG_BITEXACT;
    if (!settings.creationTime.empty())
      av_dict_set(&format->metadata, "creation_time", settings.creationTime.c_str(), 0);
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
    if (!buffer) fail("out of memory");
    format->pb = avio_alloc_context(buffer, kIoBufferBytes, 1, &file, nullptr, &MemoryFile::write,
                                    &MemoryFile::seek);
    if (!format->pb) {
      av_free(buffer);
      fail("out of memory");
    }
    format->flags |= AVFMT_FLAG_CUSTOM_IO;

    openVideo();
    if (settings.withAudio) openAudio();
    check(avformat_write_header(format, nullptr), "mp4 header");
  }

  ~Impl() {
    if (!format) return;
    if (format->pb) {
      av_freep(&format->pb->buffer);
      avio_context_free(&format->pb);
    }
    avformat_free_context(format);
  }

  void openVideo() {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (!codec) fail("no H.264 or MPEG-4 encoder");
    video.reset(avcodec_alloc_context3(codec));
    if (!video) fail("out of memory");
    video->width = settings.width;
    video->height = settings.height;
    video->pix_fmt = AV_PIX_FMT_YUV420P;
    video->time_base = AVRational{1, settings.framesPerSecond};
    video->framerate = AVRational{settings.framesPerSecond, 1};
    video->gop_size = settings.framesPerSecond;
    video->max_b_frames = 0;
    video->thread_count = 1;
    video->color_range = AVCOL_RANGE_MPEG;
    video->colorspace = AVCOL_SPC_BT470BG;
    video->flags |= AV_CODEC_FLAG_BITEXACT;
    if (codec->id == AV_CODEC_ID_H264) {
      av_opt_set(video->priv_data, "preset", "veryfast", 0);
      av_opt_set(video->priv_data, "profile", "main", 0);
      av_opt_set(video->priv_data, "crf", "23", 0);
    } else {
      video->flags |= AV_CODEC_FLAG_QSCALE;
      video->global_quality = FF_QP2LAMBDA * 4;
    }
    if (format->oformat->flags & AVFMT_GLOBALHEADER) video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    check(avcodec_open2(video.get(), codec, nullptr), "video encoder");

    videoStream = avformat_new_stream(format, nullptr);
    if (!videoStream) fail("out of memory");
    videoStream->time_base = video->time_base;
    check(avcodec_parameters_from_context(videoStream->codecpar, video.get()), "video stream");

    videoFrame->format = video->pix_fmt;
    videoFrame->width = video->width;
    videoFrame->height = video->height;
    check(av_frame_get_buffer(videoFrame.get(), 0), "video frame");
    scaler.reset(sws_getContext(settings.width, settings.height, AV_PIX_FMT_RGB32, settings.width,
                                settings.height, AV_PIX_FMT_YUV420P, SWS_FAST_BILINEAR, nullptr,
                                nullptr, nullptr));
    if (!scaler) fail("colour conversion");
  }

  void openAudio() {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!codec) fail("no AAC encoder");
    audio.reset(avcodec_alloc_context3(codec));
    if (!audio) fail("out of memory");
    audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
    audio->sample_rate = ToneGenerator::sampleRate;
    av_channel_layout_default(&audio->ch_layout, 1);
    audio->bit_rate = kAudioBitRate;
    audio->time_base = AVRational{1, ToneGenerator::sampleRate};
    audio->thread_count = 1;
    audio->flags |= AV_CODEC_FLAG_BITEXACT;
    if (format->oformat->flags & AVFMT_GLOBALHEADER) audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    check(avcodec_open2(audio.get(), codec, nullptr), "audio encoder");

    audioStream = avformat_new_stream(format, nullptr);
    if (!audioStream) fail("out of memory");
    audioStream->time_base = audio->time_base;
    check(avcodec_parameters_from_context(audioStream->codecpar, audio.get()), "audio stream");
  }

  // Sends one frame (or the flush when frame is null) and muxes every packet that comes out.
  void encode(AVCodecContext* codec, AVStream* stream, AVFrame* frame) {
    check(avcodec_send_frame(codec, frame), "encoding");
    for (;;) {
      const int result = avcodec_receive_packet(codec, packet.get());
      if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
      check(result, "encoding");
      // Every picture lasts one frame; without it the muxer gives the last picture no time.
      if (codec == video.get()) packet->duration = 1;
      av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
      packet->stream_index = stream->index;
      check(av_interleaved_write_frame(format, packet.get()), "muxing");
    }
  }

  std::int64_t audioSamplesFor(std::int64_t videoFrames) const {
    return videoFrames * ToneGenerator::sampleRate / settings.framesPerSecond;
  }

  void sendAudio(int count) {
    check(av_frame_make_writable(audioFrame.get()), "audio frame");
    audioFrame->nb_samples = count;
    const std::vector<float> samples = tone.samples(audioSamplesSent, count);
    std::memcpy(audioFrame->data[0], samples.data(), samples.size() * sizeof(float));
    audioFrame->pts = audioSamplesSent;
    audioSamplesSent += count;
    encode(audio.get(), audioStream, audioFrame.get());
  }

  void prepareAudioFrame() {
    audioFrame->format = audio->sample_fmt;
    audioFrame->sample_rate = audio->sample_rate;
    audioFrame->nb_samples = audio->frame_size;
    check(av_channel_layout_copy(&audioFrame->ch_layout, &audio->ch_layout), "audio frame");
    check(av_frame_get_buffer(audioFrame.get(), 0), "audio frame");
  }

  // Audio keeps up with the pictures in whole encoder frames; the last, shorter one is sent by
  // finish() so that both tracks end together.
  void catchUpAudio() {
    if (!audio) return;
    if (!audioFrame->data[0]) prepareAudioFrame();
    const std::int64_t target = audioSamplesFor(framesAdded);
    while (audioSamplesSent + audio->frame_size <= target) sendAudio(audio->frame_size);
  }
};

Mp4Encoder::Mp4Encoder(const EncoderSettings& settings) : impl_(std::make_unique<Impl>(settings)) {}

Mp4Encoder::~Mp4Encoder() = default;

void Mp4Encoder::addFrame(const QImage& picture) {
  Impl& d = *impl_;
  if (d.finished) throw std::logic_error("samplecard: frame after finish");
  if (picture.format() != QImage::Format_RGB32 || picture.width() != d.settings.width ||
      picture.height() != d.settings.height)
    throw std::invalid_argument("samplecard: picture of the wrong size or format");
  check(av_frame_make_writable(d.videoFrame.get()), "video frame");
  const std::uint8_t* source[1] = {picture.constBits()};
  const int sourceStride[1] = {int(picture.bytesPerLine())};
  sws_scale(d.scaler.get(), source, sourceStride, 0, picture.height(), d.videoFrame->data,
            d.videoFrame->linesize);
  d.videoFrame->pts = d.framesAdded++;
  d.encode(d.video.get(), d.videoStream, d.videoFrame.get());
  d.catchUpAudio();
}

std::vector<std::uint8_t> Mp4Encoder::finish() {
  Impl& d = *impl_;
  if (d.finished) throw std::logic_error("samplecard: finished twice");
  d.finished = true;
  d.encode(d.video.get(), d.videoStream, nullptr);
  if (d.audio) {
    d.catchUpAudio();
    const auto rest = int(d.audioSamplesFor(d.framesAdded) - d.audioSamplesSent);
    if (rest > 0) d.sendAudio(rest);
    d.encode(d.audio.get(), d.audioStream, nullptr);
  }
  check(av_write_trailer(d.format), "mp4 trailer");
  avio_flush(d.format->pb);
  return std::move(d.file.bytes);
}

std::string Mp4Encoder::videoCodecName() const { return avcodec_get_name(impl_->video->codec_id); }

}  // namespace samplecard

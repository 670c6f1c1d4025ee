#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QImage;

namespace samplecard {

struct EncoderSettings {
  int width = 640;
  int height = 480;
  int framesPerSecond = 30;
  bool withAudio = false;    // mono AAC of ToneGenerator, as long as the video
  std::string creationTime;  // ISO 8601 UTC for the container; empty leaves it unset
};

// Encodes pictures into an MP4 held in memory, laid out as FFmpeg's muxer writes it
// (ftyp free mdat moov). H.264 through libx264 when the FFmpeg build has it, else MPEG-4 part 2.
// Single-threaded and bit-exact: the same pictures give the same bytes.
// Errors of FFmpeg are thrown as std::runtime_error.
class Mp4Encoder {
 public:
  explicit Mp4Encoder(const EncoderSettings& settings);
  ~Mp4Encoder();
  Mp4Encoder(const Mp4Encoder&) = delete;
  Mp4Encoder& operator=(const Mp4Encoder&) = delete;

  // picture: width x height, QImage::Format_RGB32.
  void addFrame(const QImage& picture);
  // Flushes the encoders and returns the file; the encoder takes no frames afterwards.
  std::vector<std::uint8_t> finish();

  std::string videoCodecName() const;  // "h264" or "mpeg4"

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace samplecard

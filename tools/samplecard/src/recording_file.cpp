#include "samplecard/recording_file.h"

#include <QString>
#include <stdexcept>

#include "samplecard/frame_painter.h"
#include "samplecard/mp4_encoder.h"
#include "samplecard/udat_writer.h"

namespace samplecard {

std::vector<std::uint8_t> encodeRecordingMedia(const PlannedRecording& recording,
                                               const CardOptions& options,
                                               std::string* videoCodec) {
  const std::vector<TelemetryEntry> telemetry = buildTelemetry(recording.telemetry);
  const CardOptions::Size size = options.pictureSize(recording.role);
  EncoderSettings settings;
  settings.width = size.width;
  settings.height = size.height;
  settings.framesPerSecond = CardOptions::framesPerSecond;
  settings.withAudio = recording.hasAudio();
  settings.creationTime = recording.start().isoUtc();
  Mp4Encoder encoder(settings);
  FramePainter painter(size.width, size.height,
                       recording.role == ChannelRole::Rear ? Camera::Rear : Camera::Front,
                       QString::fromStdString(recording.fileName), CardOptions::framesPerSecond);
  const int frames = options.frames();
  for (int frame = 0; frame < frames; ++frame) {
    const auto entry = std::size_t(frame) * kEntriesPerSecond / CardOptions::framesPerSecond;
    const RoutePoint point = entry < telemetry.size() ? telemetry[entry].point : RoutePoint{};
    encoder.addFrame(painter.paint(frame, recording.start(), point));
  }
  if (videoCodec) *videoCodec = encoder.videoCodecName();
  return encoder.finish();
}

FileType recorderFileTypeFor(std::string_view videoCodec) {
  return FileType{"drc1", 1, "drc1", videoCodec == "h264" ? "avc1" : "mp4v"};
}

std::vector<std::uint8_t> recorderFile(std::span<const std::uint8_t> media,
                                       std::string_view videoCodec,
                                       const PlannedRecording& recording) {
  const BoxOrder order =
      recording.defect == Defect::IndexFirst ? BoxOrder::IndexFirst : BoxOrder::MediaFirst;
  auto file = rewriteHead(media, recorderFileTypeFor(videoCodec), order);
  if (!file) throw std::runtime_error("samplecard: unexpected layout from the MP4 muxer");
  const std::vector<TelemetryEntry> telemetry = buildTelemetry(recording.telemetry);
  const std::vector<std::uint8_t> udat = buildUdatBox(recording.timeTag, telemetry);
  file->insert(file->end(), udat.begin(), udat.end());

  switch (recording.defect) {
    case Defect::CutBeforeIndex: {
      auto cut = cutBeforeIndex(*file);
      if (!cut) throw std::runtime_error("samplecard: no index to cut");
      return std::move(*cut);
    }
    case Defect::Scrambled:
      scrambleFirstBox(*file, kScrambleKey);
      break;
    case Defect::Empty:
      return {};
    case Defect::None:
    case Defect::IndexFirst:
      break;
  }
  return std::move(*file);
}

std::vector<std::uint8_t> buildRecordingFile(const PlannedRecording& recording,
                                             const CardOptions& options) {
  if (recording.defect == Defect::Empty) return {};
  std::string codec;
  const std::vector<std::uint8_t> media = encodeRecordingMedia(recording, options, &codec);
  return recorderFile(media, codec, recording);
}

}  // namespace samplecard

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "samplecard/card_plan.h"
#include "samplecard/mp4_head.h"

namespace samplecard {

// FFmpeg's MP4 of a recording's pictures (and sound for front and single cameras), before the
// recorder's layout is applied. The video codec's name is stored in *videoCodec when given.
std::vector<std::uint8_t> encodeRecordingMedia(const PlannedRecording& recording,
                                               const CardOptions& options,
                                               std::string* videoCodec = nullptr);

// "drc1" major brand, minor version 1, compatible "drc1" and the codec's brand.
FileType recorderFileTypeFor(std::string_view videoCodec);

// The recorder's file from encoded media: 24-byte ftyp, mdat, moov, udat, then the recording's
// defect applied. Throws std::runtime_error when the media is not FFmpeg's MP4 layout.
std::vector<std::uint8_t> recorderFile(std::span<const std::uint8_t> media,
                                       std::string_view videoCodec,
                                       const PlannedRecording& recording);

// The bytes of a recording as it lies on the card. Needs a QGuiApplication.
std::vector<std::uint8_t> buildRecordingFile(const PlannedRecording& recording,
                                             const CardOptions& options);

}  // namespace samplecard

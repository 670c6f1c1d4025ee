#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "samplecard/civil_time.h"
#include "samplecard/route.h"
#include "samplecard/telemetry.h"
#include "samplecard/udat_writer.h"

namespace samplecard {

enum class ChannelRole;

struct CardOptions {
  int width = 640;
  int height = 480;
  int seconds = 6;  // length of every recording
  Hemisphere hemisphere = Hemisphere::NorthEast;
  int rearWidth = 0;   // picture size of the rear files; 0 x 0: the same as the others
  int rearHeight = 0;

  struct Size {
    int width = 0;
    int height = 0;
  };
  Size pictureSize(ChannelRole role) const;

  static constexpr int framesPerSecond = 30;
  int frames() const { return seconds * framesPerSecond; }
  int entries() const { return seconds * kEntriesPerSecond; }
};

enum class RecordingKind { Continuous, Event, Parking };  // "drf", "evt", "mod"
enum class ChannelRole { Front, Rear, Single };

inline CardOptions::Size CardOptions::pictureSize(ChannelRole role) const {
  if (role == ChannelRole::Rear && rearWidth > 0 && rearHeight > 0) return {rearWidth, rearHeight};
  return {width, height};
}

// What is wrong with a recording on purpose.
enum class Defect {
  None,
  CutBeforeIndex,  // ftyp mdat, no moov: the recorder stopped before writing the index
  IndexFirst,      // ftyp moov mdat udat: playable, but not in the recorder's order
  Scrambled,       // the first box XORed with kScrambleKey: an encrypted recording
  Empty,           // zero bytes
};

// The key the first box of a scrambled recording is XORed with (see scrambleFirstBox).
inline constexpr std::uint32_t kScrambleKey = 0x5A3C96E1;

// "drf2_", "drf1_", "drf0_", "evt2_", "evt1_", "evt0_", "mod0_", "mod1_".
std::string_view prefixOf(RecordingKind kind, ChannelRole role);

struct PlannedRecording {
  std::string fileName;        // prefix, 8 date digits, "_", HHMMSS, ".mp4"
  std::string pairedFileName;  // the other channel's file; empty for Single
  RecordingKind kind = RecordingKind::Continuous;
  ChannelRole role = ChannelRole::Single;
  Defect defect = Defect::None;
  bool pairMissing = false;  // a front file whose rear file is not on the card
  TimeTag timeTag = TimeTag::Time;
  TelemetrySpec telemetry;  // front and rear of a pair carry the same telemetry

  const CivilTime& start() const { return telemetry.start; }
  bool hasAudio() const { return role != ChannelRole::Rear; }
  // Whether the file is a complete MP4 that players can open.
  bool playable() const { return defect == Defect::None || defect == Defect::IndexFirst; }
};

enum class CompanionKind { Ecc, Xls };

// A file the recorder leaves beside a recording: "<recording>.ecc" or "<recording>.xls".
struct PlannedCompanion {
  std::string fileName;
  std::string recordingFileName;
  CompanionKind kind = CompanionKind::Ecc;
};

// Every file of a sample card, in the order they are written. A plan is a pure function of the
// options, so a test can re-plan to learn what a card generated with the same options holds.
struct CardPlan {
  CardOptions options;
  std::vector<PlannedRecording> recordings;
  std::vector<PlannedCompanion> companions;

  const PlannedRecording* find(std::string_view fileName) const;
  std::vector<std::string> fileNames() const;  // recordings, then companions
  // The telemetry of one recording, entry n for step n; empty for an unknown name.
  std::vector<TelemetryEntry> telemetryOf(std::string_view fileName) const;
};

CardPlan planCard(const CardOptions& options);

}  // namespace samplecard

#include "samplecard/card_plan.h"

#include <array>

namespace samplecard {
namespace {

// The days of driving on the card and the recorder clock when each drive began.
enum class Drive { Morning, Parked, Evening, Holiday, Workshop, Summer };

struct DriveStart {
  Drive drive;
  CivilTime start;
};

constexpr std::array<DriveStart, 6> kDrives{{
    {Drive::Morning, {2011, 5, 12, 9, 30, 15, 0}},
    {Drive::Parked, {2011, 5, 12, 22, 15, 40, 0}},
    {Drive::Evening, {2011, 5, 13, 17, 45, 2, 0}},
    {Drive::Holiday, {2011, 5, 14, 12, 0, 0, 0}},
    {Drive::Workshop, {2011, 5, 15, 10, 0, 0, 0}},
    {Drive::Summer, {2011, 6, 2, 8, 12, 30, 0}},
}};

// One recording (a pair when twoChannel). It starts offsetSeconds + slot x seconds-per-recording
// after its drive began: consecutive slots are the recorder's back-to-back continuous files.
struct RecordingRow {
  RecordingKind kind;
  bool twoChannel;
  Drive drive;
  int offsetSeconds;
  int slot;
  Defect defect;
  bool rearMissing;
};

constexpr std::array<RecordingRow, 15> kRecordings{{
    // Standing at the lights, then pulling away; the event is a hard braking from motorway speed.
    {RecordingKind::Continuous, true, Drive::Morning, 0, 0, Defect::None, false},
    {RecordingKind::Continuous, true, Drive::Morning, 0, 1, Defect::None, false},
    {RecordingKind::Continuous, true, Drive::Morning, 0, 2, Defect::None, false},
    {RecordingKind::Event, true, Drive::Morning, 62, 0, Defect::None, false},
    {RecordingKind::Parking, true, Drive::Parked, 84, 0, Defect::None, false},
    {RecordingKind::Continuous, true, Drive::Evening, 36, 0, Defect::None, false},
    {RecordingKind::Continuous, true, Drive::Evening, 36, 1, Defect::None, false},
    {RecordingKind::Continuous, false, Drive::Holiday, 20, 0, Defect::None, false},
    {RecordingKind::Continuous, false, Drive::Holiday, 20, 1, Defect::None, false},
    {RecordingKind::Event, false, Drive::Holiday, 62, 0, Defect::None, false},
    {RecordingKind::Continuous, true, Drive::Workshop, 0, 0, Defect::CutBeforeIndex, false},
    {RecordingKind::Continuous, true, Drive::Workshop, 0, 1, Defect::IndexFirst, false},
    {RecordingKind::Continuous, true, Drive::Workshop, 0, 2, Defect::Empty, false},
    {RecordingKind::Event, true, Drive::Workshop, 30, 0, Defect::Scrambled, false},
    {RecordingKind::Continuous, true, Drive::Summer, 14, 0, Defect::None, true},
}};

// The recording whose companion files lie beside it.
constexpr std::size_t kCompanionRow = 0;

struct Prefixes {
  RecordingKind kind;
  std::string_view front;
  std::string_view rear;
  std::string_view single;
};

constexpr std::array<Prefixes, 3> kPrefixes{{
    {RecordingKind::Continuous, "drf2_", "drf1_", "drf0_"},
    {RecordingKind::Event, "evt2_", "evt1_", "evt0_"},
    {RecordingKind::Parking, "mod0_", "mod1_", "mod0_"},
}};

double bumpPeakOf(RecordingKind kind) {
  switch (kind) {
    case RecordingKind::Event:
      return 3.0;
    case RecordingKind::Parking:
      return 2.5;
    case RecordingKind::Continuous:
      break;
  }
  return 2.3;
}

CivilTime driveStart(Drive drive) {
  for (const DriveStart& row : kDrives)
    if (row.drive == drive) return row.start;
  return {};
}

std::string fileNameOf(RecordingKind kind, ChannelRole role, const CivilTime& start) {
  return std::string(prefixOf(kind, role)) + start.dateDigits() + "_" + start.timeDigits() + ".mp4";
}

}  // namespace

std::string_view prefixOf(RecordingKind kind, ChannelRole role) {
  for (const Prefixes& row : kPrefixes) {
    if (row.kind != kind) continue;
    switch (role) {
      case ChannelRole::Front:
        return row.front;
      case ChannelRole::Rear:
        return row.rear;
      case ChannelRole::Single:
        return row.single;
    }
  }
  return {};
}

CardPlan planCard(const CardOptions& options) {
  CardPlan plan;
  plan.options = options;
  for (std::size_t i = 0; i < kRecordings.size(); ++i) {
    const RecordingRow& row = kRecordings[i];
    const int offset = row.offsetSeconds + row.slot * options.seconds;

    PlannedRecording recording;
    recording.kind = row.kind;
    recording.defect = row.defect;
    recording.timeTag = row.kind == RecordingKind::Event ? TimeTag::Rtcd : TimeTag::Time;
    recording.telemetry.start = driveStart(row.drive).plusSeconds(offset);
    recording.telemetry.driveOffsetSeconds = offset;
    recording.telemetry.parked = row.kind == RecordingKind::Parking;
    recording.telemetry.entries = options.entries();
    recording.telemetry.bumpPeakG = bumpPeakOf(row.kind);
    recording.telemetry.hemisphere = options.hemisphere;

    const std::size_t firstIndex = plan.recordings.size();
    if (!row.twoChannel) {
      recording.role = ChannelRole::Single;
      recording.fileName = fileNameOf(row.kind, ChannelRole::Single, recording.start());
      plan.recordings.push_back(recording);
    } else {
      PlannedRecording rear = recording;
      recording.role = ChannelRole::Front;
      rear.role = ChannelRole::Rear;
      recording.fileName = fileNameOf(row.kind, ChannelRole::Front, recording.start());
      rear.fileName = fileNameOf(row.kind, ChannelRole::Rear, rear.start());
      recording.pairedFileName = rear.fileName;
      rear.pairedFileName = recording.fileName;
      recording.pairMissing = row.rearMissing;
      plan.recordings.push_back(recording);
      if (!row.rearMissing) plan.recordings.push_back(rear);
    }

    if (i == kCompanionRow) {
      const std::string name = plan.recordings[firstIndex].fileName;
      plan.companions.push_back({name + ".ecc", name, CompanionKind::Ecc});
      plan.companions.push_back({name + ".xls", name, CompanionKind::Xls});
    }
  }
  return plan;
}

const PlannedRecording* CardPlan::find(std::string_view fileName) const {
  for (const PlannedRecording& recording : recordings)
    if (recording.fileName == fileName) return &recording;
  return nullptr;
}

std::vector<std::string> CardPlan::fileNames() const {
  std::vector<std::string> names;
  for (const PlannedRecording& recording : recordings) names.push_back(recording.fileName);
  for (const PlannedCompanion& companion : companions) names.push_back(companion.fileName);
  return names;
}

std::vector<TelemetryEntry> CardPlan::telemetryOf(std::string_view fileName) const {
  const PlannedRecording* recording = find(fileName);
  return recording ? buildTelemetry(recording->telemetry) : std::vector<TelemetryEntry>{};
}

}  // namespace samplecard

#include "samplecard/card_writer.h"

#include <fstream>
#include <map>
#include <stdexcept>

#include "samplecard/companion.h"
#include "samplecard/gui_session.h"
#include "samplecard/recording_file.h"

namespace samplecard {
namespace {

void writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  out.close();
  if (!out) throw std::runtime_error("samplecard: cannot write " + path.string());
}

std::span<const std::uint8_t> asBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

void writeCard(const std::filesystem::path& folder, const CardPlan& plan,
               const std::function<void(const std::string& fileName)>& wrote) {
  ensureGuiApplication();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw std::runtime_error("samplecard: cannot create " + folder.string());

  std::map<std::string, std::vector<std::uint8_t>, std::less<>> companionSources;
  for (const PlannedCompanion& companion : plan.companions)
    companionSources[companion.recordingFileName];

  for (const PlannedRecording& recording : plan.recordings) {
    std::vector<std::uint8_t> file = buildRecordingFile(recording, plan.options);
    writeFile(folder / recording.fileName, file);
    if (wrote) wrote(recording.fileName);
    if (const auto source = companionSources.find(recording.fileName);
        source != companionSources.end())
      source->second = std::move(file);
  }

  for (const PlannedCompanion& companion : plan.companions) {
    switch (companion.kind) {
      case CompanionKind::Ecc:
        writeFile(folder / companion.fileName,
                  eccCompanion(companionSources[companion.recordingFileName]));
        break;
      case CompanionKind::Xls:
        writeFile(folder / companion.fileName,
                  asBytes(xlsCompanion(plan.telemetryOf(companion.recordingFileName))));
        break;
    }
    if (wrote) wrote(companion.fileName);
  }
}

CardPlan generateCard(const std::filesystem::path& folder, const CardOptions& options) {
  CardPlan plan = planCard(options);
  writeCard(folder, plan);
  return plan;
}

}  // namespace samplecard

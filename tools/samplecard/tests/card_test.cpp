// The samplecard program end to end: a whole card made twice (and once in the southern and
// western hemispheres), judged by ffprobe, ffmpeg and a box walk of the tests' own.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <regex>
#include <set>

#include "box_reader.h"
#include "nmea_reader.h"
#include "run_program.h"
#include "samplecard/card_plan.h"

namespace samplecard {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::readFile;
using testing::typesOf;
using testing::walkBoxes;

constexpr int kSeconds = 2;
const std::vector<std::string> kRecorderOrder{"ftyp", "mdat", "moov", "udat"};

class SampleCardTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const fs::path work = TRIPDESK_TEST_WORK_DIR;
    first_ = work / "card-a";
    second_ = work / "card-b";
    southWest_ = work / "card-sw";
    plan_ = planCard(CardOptions{640, 480, kSeconds, Hemisphere::NorthEast});
    southWestPlan_ = planCard(CardOptions{640, 480, kSeconds, Hemisphere::SouthWest});
    generated_ = generate(first_, {}) && generate(second_, {}) &&
                 generate(southWest_, {"--hemisphere", "sw"});
  }

  static bool generate(const fs::path& folder, const QStringList& extra) {
    fs::remove_all(folder);
    const auto result = testing::runProgram(TRIPDESK_BIN_DIR "/samplecard",
                                            QStringList{QString::fromStdString(folder.string()),
                                                        "--seconds", QString::number(kSeconds)} +
                                                extra);
    output_[folder] = result.out.toStdString();
    if (result.exitCode == 0) return true;
    ADD_FAILURE() << "samplecard failed: " << result.err.toStdString();
    return false;
  }

  void SetUp() override { ASSERT_TRUE(generated_); }

  // The file as the recorder laid it out, with an encrypted first box unscrambled.
  static Bytes plainBytes(const fs::path& folder, const PlannedRecording& recording) {
    Bytes bytes = readFile(folder / recording.fileName);
    if (recording.defect == Defect::Scrambled && bytes.size() >= 24)
      for (std::size_t i = 0; i < 24; ++i)
        bytes[i] ^= std::uint8_t(kScrambleKey >> (24 - 8 * (i % 4)));
    return bytes;
  }

  static std::optional<testing::UserData> userDataOf(const Bytes& bytes) {
    const auto boxes = walkBoxes(bytes);
    if (!boxes || boxes->empty() || boxes->back().type != "udat") return std::nullopt;
    return testing::readUserData(bytes, boxes->back());
  }

  static bool hasUserData(const PlannedRecording& recording) {
    return recording.defect != Defect::CutBeforeIndex && recording.defect != Defect::Empty;
  }

  static inline fs::path first_, second_, southWest_;
  static inline CardPlan plan_, southWestPlan_;
  static inline bool generated_ = false;
  static inline std::map<fs::path, std::string> output_;
};

std::string rearNameOf(std::string front) {
  front[3] = '1';
  return front;
}

TEST_F(SampleCardTest, FolderHoldsThePlannedFilesNamedByTheGrammar) {
  std::set<std::string> present;
  for (const auto& entry : fs::directory_iterator(first_))
    present.insert(entry.path().filename().string());
  const std::vector<std::string> planned = plan_.fileNames();
  EXPECT_EQ(present, std::set<std::string>(planned.begin(), planned.end()));
  for (const std::string& name : planned)
    EXPECT_NE(output_[first_].find(name), std::string::npos) << "not reported: " << name;

  const std::regex recordingName(
      R"(^(drf[012]_|evt[012]_|mod[01]_)(\d{4})(\d{2})(\d{2})_(\d{2})(\d{2})(\d{2})\.mp4$)");
  const std::regex companionName(R"(^(.*\.mp4)\.(ecc|xls)$)");
  std::set<std::string> dates, prefixes;
  int orphans = 0;
  for (const std::string& name : present) {
    std::smatch match;
    if (std::regex_match(name, match, companionName)) {
      EXPECT_TRUE(present.count(match[1].str())) << name << " lies beside no recording";
      continue;
    }
    ASSERT_TRUE(std::regex_match(name, match, recordingName)) << name;
    EXPECT_EQ(name.substr(5, 8), match[2].str() + match[3].str() + match[4].str());
    EXPECT_TRUE(std::stoi(match[3]) >= 1 && std::stoi(match[3]) <= 12) << name;
    EXPECT_TRUE(std::stoi(match[4]) >= 1 && std::stoi(match[4]) <= 31) << name;
    EXPECT_LT(std::stoi(match[5]), 24) << name;
    EXPECT_LT(std::stoi(match[6]), 60) << name;
    EXPECT_LT(std::stoi(match[7]), 60) << name;
    prefixes.insert(match[1]);
    dates.insert(name.substr(5, 8));
    const std::string prefix = match[1];
    if (prefix == "drf2_" || prefix == "evt2_" || prefix == "mod0_") {
      if (!present.count(rearNameOf(name))) ++orphans;
    }
    if (prefix[3] == '1') {
      const std::string frontName =
          name.substr(0, 3) + (prefix[0] == 'm' ? "0" : "2") + name.substr(4);
      EXPECT_TRUE(present.count(frontName)) << "rear file without its front: " << name;
    }
  }
  EXPECT_EQ(orphans, 1) << "exactly one front file lacks its rear file";
  EXPECT_GE(dates.size(), 3u);
  EXPECT_EQ(prefixes, (std::set<std::string>{"drf0_", "drf1_", "drf2_", "evt0_", "evt1_", "evt2_",
                                             "mod0_", "mod1_"}));
}

TEST_F(SampleCardTest, PlayableRecordingsPassFfprobeWithEveryFrame) {
  int playable = 0;
  for (const PlannedRecording& recording : plan_.recordings) {
    // Decoding every frame at "-v error" also reports any damage in the media.
    const auto streams = testing::runProgram(
        "ffprobe", {"-v", "error", "-count_frames", "-show_entries",
                    "stream=codec_type,nb_read_frames,duration", "-of", "csv=p=0",
                    QString::fromStdString((first_ / recording.fileName).string())});
    if (!recording.playable()) {
      EXPECT_FALSE(streams.err.isEmpty()) << recording.fileName << " should not open";
      continue;
    }
    ++playable;
    EXPECT_EQ(streams.exitCode, 0) << recording.fileName;
    EXPECT_TRUE(streams.err.isEmpty()) << recording.fileName << ": " << streams.err.toStdString();
    const QString expectedVideo =
        QStringLiteral("video,%1.000000,%2").arg(kSeconds).arg(kSeconds * 30);
    EXPECT_TRUE(streams.out.contains(expectedVideo.toUtf8())) << recording.fileName << ":\n"
                                                              << streams.out.toStdString();
    EXPECT_EQ(streams.out.contains("audio,"), recording.hasAudio()) << recording.fileName;
  }
  EXPECT_GE(playable, 15);
}

TEST_F(SampleCardTest, RecordingsHaveTheRecorderLayoutAndTheirDefects) {
  for (const PlannedRecording& recording : plan_.recordings) {
    SCOPED_TRACE(recording.fileName);
    const Bytes file = readFile(first_ / recording.fileName);
    const Bytes plain = plainBytes(first_, recording);
    const auto boxes = walkBoxes(plain);
    switch (recording.defect) {
      case Defect::Empty:
        EXPECT_TRUE(file.empty());
        continue;
      case Defect::None:
        ASSERT_TRUE(boxes) << "box sizes must add up to the file size";
        EXPECT_EQ(typesOf(*boxes), kRecorderOrder);
        break;
      case Defect::IndexFirst:
        ASSERT_TRUE(boxes);
        EXPECT_EQ(typesOf(*boxes), (std::vector<std::string>{"ftyp", "moov", "mdat", "udat"}));
        break;
      case Defect::CutBeforeIndex:
        ASSERT_TRUE(boxes);
        EXPECT_EQ(typesOf(*boxes), (std::vector<std::string>{"ftyp", "mdat"}));
        break;
      case Defect::Scrambled:
        EXPECT_NE(testing::fourCC(file, 4), "ftyp");
        EXPECT_EQ(testing::bigEndian32(file, 0) ^ kScrambleKey, 24u);
        ASSERT_TRUE(boxes);
        EXPECT_EQ(typesOf(*boxes), kRecorderOrder);
        break;
    }
    ASSERT_FALSE(boxes->empty());
    EXPECT_EQ((*boxes)[0].size, 24u);
    const std::set<std::string> standardBrands{"isom", "iso2", "mp41", "mp42", "M4V ", "qt  "};
    EXPECT_FALSE(standardBrands.count(testing::fourCC(plain, 8))) << testing::fourCC(plain, 8);
  }
}

TEST_F(SampleCardTest, UserDataHoldsOneEntryPerStepMatchingThePlan) {
  for (const PlannedRecording& recording : plan_.recordings) {
    if (!hasUserData(recording)) continue;
    SCOPED_TRACE(recording.fileName);
    const auto data = userDataOf(plainBytes(first_, recording));
    ASSERT_TRUE(data) << "no well-formed udat box at the end";
    const std::size_t entries = std::size_t(kSeconds) * 10;
    ASSERT_EQ(data->times.size(), entries);
    ASSERT_EQ(data->sentences.size(), entries);
    ASSERT_EQ(data->samples.size(), entries);
    EXPECT_EQ(data->timeTag, recording.kind == RecordingKind::Event ? "RTCD" : "TIME");

    const std::vector<TelemetryEntry> expected = plan_.telemetryOf(recording.fileName);
    ASSERT_EQ(expected.size(), entries);
    int rmc = 0, empty = 0;
    float largest = 0;
    for (std::size_t n = 0; n < entries; ++n) {
      EXPECT_EQ(data->times[n], n * 100);
      const std::string& sentence = data->sentences[n];
      EXPECT_TRUE(data->nulPadded[n]);
      EXPECT_EQ(sentence, expected[n].nmea);
      EXPECT_EQ(data->samples[n].x, expected[n].g.x);
      EXPECT_EQ(data->samples[n].z, expected[n].g.z);
      largest = std::max({largest, std::fabs(data->samples[n].x), std::fabs(data->samples[n].y),
                          std::fabs(data->samples[n].z)});
      if (sentence.empty()) {
        ++empty;
        continue;
      }
      EXPECT_TRUE(testing::checksumValid(sentence)) << sentence;
      if (const auto fix = testing::decodeRmc(sentence)) {
        ++rmc;
        EXPECT_EQ(fix->northSouth, 'N');
        EXPECT_EQ(fix->eastWest, 'E');
        EXPECT_NEAR(fix->latitude, 37.55, 0.2);
        EXPECT_NEAR(fix->longitude, 126.99, 0.2);
      }
    }
    EXPECT_GT(rmc, int(entries) / 2);
    EXPECT_GT(empty, 0);
    EXPECT_GT(largest, 2.0f) << "the G-sensor bump leaves the 2 g range";
  }
}

TEST_F(SampleCardTest, FrontAndRearOfAPairCarryTheSameTelemetry) {
  for (const PlannedRecording& recording : plan_.recordings) {
    if (recording.role != ChannelRole::Rear || !hasUserData(recording)) continue;
    const PlannedRecording* front = plan_.find(recording.pairedFileName);
    ASSERT_TRUE(front);
    const auto rear = userDataOf(plainBytes(first_, recording));
    const auto ahead = userDataOf(plainBytes(first_, *front));
    ASSERT_TRUE(rear && ahead) << recording.fileName;
    EXPECT_EQ(rear->sentences, ahead->sentences) << recording.fileName;
  }
}

TEST_F(SampleCardTest, SouthWestCardMirrorsThePositions) {
  int fixes = 0;
  for (const PlannedRecording& recording : southWestPlan_.recordings) {
    if (!hasUserData(recording)) continue;
    SCOPED_TRACE(recording.fileName);
    const auto south = userDataOf(plainBytes(southWest_, recording));
    const auto north = userDataOf(plainBytes(first_, *plan_.find(recording.fileName)));
    ASSERT_TRUE(south && north);
    for (std::size_t n = 0; n < south->sentences.size(); ++n) {
      const std::string& sentence = south->sentences[n];
      if (sentence.rfind("$GPGGA", 0) == 0) {
        const auto fields = testing::splitFields(sentence);
        EXPECT_EQ(fields.at(3), "S");
        EXPECT_EQ(fields.at(5), "W");
      }
      const auto fix = testing::decodeRmc(sentence);
      if (!fix) continue;
      ++fixes;
      const auto mirror = testing::decodeRmc(north->sentences[n]);
      ASSERT_TRUE(mirror);
      EXPECT_EQ(fix->northSouth, 'S');
      EXPECT_EQ(fix->eastWest, 'W');
      EXPECT_DOUBLE_EQ(fix->latitude, mirror->latitude);
      EXPECT_DOUBLE_EQ(fix->longitude, mirror->longitude);
      EXPECT_NEAR(std::fmod(fix->course - mirror->course + 360.0, 360.0), 180.0, 0.11);
    }
  }
  EXPECT_GT(fixes, 100);
}

TEST_F(SampleCardTest, SameOptionsGiveTheSameBytes) {
  for (const std::string& name : plan_.fileNames())
    EXPECT_TRUE(readFile(first_ / name) == readFile(second_ / name)) << name;
}

TEST_F(SampleCardTest, CompanionFilesDescribeTheirRecording) {
  for (const PlannedCompanion& companion : plan_.companions) {
    const Bytes bytes = readFile(first_ / companion.fileName);
    const std::size_t recordingSize = fs::file_size(first_ / companion.recordingFileName);
    if (companion.kind == CompanionKind::Ecc) {
      ASSERT_GE(bytes.size(), 12u);
      EXPECT_EQ(testing::fourCC(bytes, 0), "ECC0");
      EXPECT_EQ(testing::bigEndian32(bytes, 4), recordingSize);
      EXPECT_EQ(bytes.size(), 12 + (recordingSize + 32767) / 32768 * 512);
    } else {
      EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), kSeconds + 1);
    }
  }
}

// One picture as 8-bit RGB, decoded by ffmpeg.
QByteArray pictureAt(const fs::path& file, double seconds) {
  const auto result =
      testing::runProgram("ffmpeg", {"-v", "error", "-ss", QString::number(seconds), "-i",
                                     QString::fromStdString(file.string()), "-frames:v", "1", "-f",
                                     "rawvideo", "-pix_fmt", "rgb24", "-"});
  EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
  return result.out;
}

TEST_F(SampleCardTest, FrontAndRearPicturesAreTellApartAndMove) {
  const PlannedRecording& front = plan_.recordings.front();
  ASSERT_EQ(front.role, ChannelRole::Front);
  const QByteArray ahead = pictureAt(first_ / front.fileName, 1.0);
  const QByteArray behind = pictureAt(first_ / front.pairedFileName, 1.0);
  ASSERT_EQ(ahead.size(), 640 * 480 * 3);
  ASSERT_EQ(behind.size(), 640 * 480 * 3);
  auto pixel = [](const QByteArray& picture, int x, int y) {
    const auto* p = reinterpret_cast<const unsigned char*>(picture.constData()) + (y * 640 + x) * 3;
    return std::array<int, 3>{p[0], p[1], p[2]};
  };
  // The camera name plate in the top-left corner: blue ahead, orange behind.
  const auto frontPlate = pixel(ahead, 13, 13);
  const auto rearPlate = pixel(behind, 13, 13);
  EXPECT_GT(frontPlate[2], frontPlate[0] + 80);
  EXPECT_GT(rearPlate[0], rearPlate[2] + 80);
  // The sky: light blue ahead, dark violet behind.
  EXPECT_GT(pixel(ahead, 320, 150)[2] - pixel(behind, 320, 150)[2], 60);

  int changed = 0;
  const QByteArray later = pictureAt(first_ / front.fileName, 1.0 + 1.0 / 30);
  ASSERT_EQ(later.size(), ahead.size());
  for (qsizetype i = 0; i < ahead.size(); ++i) changed += ahead[i] != later[i];
  EXPECT_GT(changed, 300) << "clock, frame number and dial change from one frame to the next";
}

}  // namespace
}  // namespace samplecard

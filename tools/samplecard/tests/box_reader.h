#pragma once

// A reader of the recorder's layout apart from the generator's writers, so that the tests judge
// the writers instead of repeating them; box headers go through the one box reader.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "mp4/big_endian.h"
#include "mp4/box_walker.h"

namespace samplecard::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::uint32_t bigEndian32(const Bytes& data, std::size_t at) {
  if (data.size() < 4 || at > data.size() - 4) throw std::out_of_range("bigEndian32");
  return mp4::ReadBigEndian32(data.data() + at);
}

inline float littleEndianFloat(const Bytes& data, std::size_t at) {
  const std::uint32_t bits = std::uint32_t(data.at(at)) | std::uint32_t(data.at(at + 1)) << 8 |
                             std::uint32_t(data.at(at + 2)) << 16 |
                             std::uint32_t(data.at(at + 3)) << 24;
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline std::string fourCC(const Bytes& data, std::size_t at) {
  return std::string(reinterpret_cast<const char*>(&data.at(at)), 4);
}

struct Box {
  std::string type;
  std::size_t offset;
  std::size_t size;
};

// Top-level boxes with 32-bit sizes only (the recorder writes nothing else); none when a size is
// below 8 or runs past the end of the file.
inline std::optional<std::vector<Box>> walkBoxes(const Bytes& file) {
  const mp4::MemorySource source(file);
  mp4::BoxWalker walker(source, mp4::SizeRule::Compact);
  std::vector<Box> boxes;
  mp4::BoxWalker::Step step;
  while ((step = walker.Next()) == mp4::BoxWalker::Step::Box) {
    const mp4::BoxHeader& box = walker.box();
    if (box.sizeBelowHeader || box.reachesPastEnd) return std::nullopt;
    boxes.push_back({fourCC(file, box.offset + 4), box.offset, box.size});
  }
  if (step != mp4::BoxWalker::Step::End) return std::nullopt;
  return boxes;
}

inline std::vector<std::string> typesOf(const std::vector<Box>& boxes) {
  std::vector<std::string> types;
  for (const Box& box : boxes) types.push_back(box.type);
  return types;
}

struct UserData {
  std::string timeTag;
  std::vector<std::uint32_t> times;
  std::vector<std::string> sentences;  // text up to the first NUL
  std::vector<bool> nulPadded;         // the rest of the 128 bytes is all NUL
  struct Sample {
    float x, y, z;
  };
  std::vector<Sample> samples;
};

// The "udat" box at offset: three chunks whose sizes must add up to the box size.
inline std::optional<UserData> readUserData(const Bytes& file, const Box& box) {
  if (box.type != "udat" || box.size < 8 + 3 * 8) return std::nullopt;
  UserData data;
  std::size_t at = box.offset + 8;
  const std::size_t end = box.offset + box.size;
  auto chunk = [&](const char* const* tags,
                   std::size_t entryBytes) -> std::optional<std::pair<std::size_t, std::size_t>> {
    if (end - at < 8) return std::nullopt;
    const std::size_t size = bigEndian32(file, at);
    const std::string tag = fourCC(file, at + 4);
    bool known = false;
    for (const char* const* t = tags; *t; ++t) known = known || tag == *t;
    if (!known || size < 8 || size > end - at || (size - 8) % entryBytes != 0) return std::nullopt;
    if (entryBytes == 4) data.timeTag = tag;
    const std::pair<std::size_t, std::size_t> result{at + 8, (size - 8) / entryBytes};
    at += size;
    return result;
  };
  static const char* const timeTags[] = {"TIME", "RTCD", nullptr};
  static const char* const gpsTags[] = {"GPSI", nullptr};
  static const char* const sensorTags[] = {"SENS", nullptr};
  const auto times = chunk(timeTags, 4);
  if (!times) return std::nullopt;
  const auto gps = chunk(gpsTags, 128);
  if (!gps) return std::nullopt;
  const auto sensors = chunk(sensorTags, 12);
  if (!sensors || at != end) return std::nullopt;

  for (std::size_t i = 0; i < times->second; ++i)
    data.times.push_back(bigEndian32(file, times->first + 4 * i));
  for (std::size_t i = 0; i < gps->second; ++i) {
    const auto* entry = reinterpret_cast<const char*>(&file.at(gps->first + 128 * i));
    const std::size_t length = strnlen(entry, 128);
    data.sentences.emplace_back(entry, length);
    bool padded = true;
    for (std::size_t k = length; k < 128; ++k) padded = padded && entry[k] == 0;
    data.nulPadded.push_back(padded);
  }
  for (std::size_t i = 0; i < sensors->second; ++i) {
    const std::size_t entry = sensors->first + 12 * i;
    data.samples.push_back({littleEndianFloat(file, entry), littleEndianFloat(file, entry + 4),
                            littleEndianFloat(file, entry + 8)});
  }
  return data;
}

}  // namespace samplecard::testing

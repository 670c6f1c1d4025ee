#include "samplecard/mp4_head.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

#include "byte_order.h"
#include "mp4/box_walker.h"

namespace samplecard {
namespace {

constexpr std::array<std::string_view, 5> kSampleTableParents{"moov", "trak", "mdia", "minf",
                                                              "stbl"};
// moov/trak/mdia/minf/stbl is five deep; anything far deeper is not a file of ours.
constexpr int kMaxNesting = 8;

struct Extent {
  std::uint64_t offset;
  std::uint64_t size;
};

bool contains(const Extent& outer, std::uint64_t offset) {
  return offset >= outer.offset && offset < outer.offset + outer.size;
}

// Moves every chunk offset below box [begin, end) of moov by delta; fails on a malformed table
// or an offset outside the media box.
class ChunkOffsetShifter {
 public:
  ChunkOffsetShifter(std::span<std::uint8_t> moov, Extent oldMedia, std::int64_t delta)
      : moov_(moov), oldMedia_(oldMedia), delta_(delta) {}

  bool shiftChildren(std::size_t begin, std::size_t end, int depth = 0) {
    if (depth > kMaxNesting) return false;
    const mp4::MemorySource source(moov_);
    mp4::BoxWalker walker(source, mp4::SizeRule::Compact, begin, end);
    mp4::BoxWalker::Step step;
    while ((step = walker.Next()) == mp4::BoxWalker::Step::Box) {
      const mp4::BoxHeader& box = walker.box();
      if (box.sizeBelowHeader || box.reachesPastEnd) return false;
      const std::size_t at = box.offset;
      const auto size = std::uint32_t(box.size);
      const std::string_view type(reinterpret_cast<const char*>(moov_.data() + at + 4), 4);
      bool ok = true;
      if (type == "stco") {
        ok = shiftTable(at, size, 4);
      } else if (type == "co64") {
        ok = shiftTable(at, size, 8);
      } else if (std::find(kSampleTableParents.begin(), kSampleTableParents.end(), type) !=
                 kSampleTableParents.end()) {
        ok = shiftChildren(at + 8, at + size, depth + 1);
      }
      if (!ok) return false;
    }
    return step == mp4::BoxWalker::Step::End;
  }

 private:
  bool shiftTable(std::size_t box, std::uint32_t boxSize, std::size_t entryBytes) {
    if (boxSize < 16) return false;
    const std::uint32_t count = bytes::readU32(moov_, box + 12);
    if (count > (boxSize - 16) / entryBytes) return false;
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t at = box + 16 + i * entryBytes;
      const std::uint64_t old =
          entryBytes == 4 ? bytes::readU32(moov_, at) : bytes::readU64(moov_, at);
      if (!contains(oldMedia_, old)) return false;
      const std::uint64_t moved = std::uint64_t(std::int64_t(old) + delta_);
      if (entryBytes == 4) {
        if (moved > std::numeric_limits<std::uint32_t>::max()) return false;
        bytes::writeU32(moov_, at, std::uint32_t(moved));
      } else {
        bytes::writeU64(moov_, at, moved);
      }
    }
    return true;
  }

  std::span<std::uint8_t> moov_;
  Extent oldMedia_;
  std::int64_t delta_;
};

std::optional<BoxExtent> onlyBox(const std::vector<BoxExtent>& boxes, std::string_view type) {
  std::optional<BoxExtent> found;
  for (const BoxExtent& box : boxes) {
    if (box.type != type) continue;
    if (found) return std::nullopt;
    found = box;
  }
  return found;
}

}  // namespace

std::optional<std::vector<BoxExtent>> topLevelBoxes(std::span<const std::uint8_t> file) {
  const mp4::MemorySource source(file);
  mp4::BoxWalker walker(source, mp4::SizeRule::Extended);
  std::vector<BoxExtent> boxes;
  mp4::BoxWalker::Step step;
  while ((step = walker.Next()) == mp4::BoxWalker::Step::Box) {
    const mp4::BoxHeader& box = walker.box();
    if (box.sizeBelowHeader || box.reachesPastEnd) return std::nullopt;
    boxes.push_back(BoxExtent{
        std::string(reinterpret_cast<const char*>(file.data() + box.offset + 4), 4), box.offset, box.size});
  }
  if (step != mp4::BoxWalker::Step::End) return std::nullopt;
  return boxes;
}

std::vector<std::uint8_t> recorderFileType(const FileType& fileType) {
  std::vector<std::uint8_t> box;
  box.reserve(kRecorderFileTypeBytes);
  bytes::appendU32(box, kRecorderFileTypeBytes);
  bytes::appendFourCC(box, "ftyp");
  bytes::appendFourCC(box, fileType.majorBrand);
  bytes::appendU32(box, fileType.minorVersion);
  bytes::appendFourCC(box, fileType.compatibleBrand1);
  bytes::appendFourCC(box, fileType.compatibleBrand2);
  return box;
}

std::optional<std::vector<std::uint8_t>> rewriteHead(std::span<const std::uint8_t> muxed,
                                                     const FileType& fileType, BoxOrder order) {
  const auto boxes = topLevelBoxes(muxed);
  if (!boxes) return std::nullopt;
  const auto media = onlyBox(*boxes, "mdat");
  const auto index = onlyBox(*boxes, "moov");
  if (!media || !index) return std::nullopt;

  const std::uint64_t newMediaOffset =
      kRecorderFileTypeBytes + (order == BoxOrder::IndexFirst ? index->size : 0);
  const auto delta = std::int64_t(newMediaOffset) - std::int64_t(media->offset);

  std::vector<std::uint8_t> moov(muxed.begin() + std::ptrdiff_t(index->offset),
                                 muxed.begin() + std::ptrdiff_t(index->offset + index->size));
  ChunkOffsetShifter shifter(moov, Extent{media->offset, media->size}, delta);
  if (!shifter.shiftChildren(0, moov.size())) return std::nullopt;

  std::vector<std::uint8_t> out = recorderFileType(fileType);
  out.reserve(kRecorderFileTypeBytes + media->size + index->size);
  const auto mediaBytes = muxed.subspan(media->offset, media->size);
  if (order == BoxOrder::IndexFirst) out.insert(out.end(), moov.begin(), moov.end());
  out.insert(out.end(), mediaBytes.begin(), mediaBytes.end());
  if (order == BoxOrder::MediaFirst) out.insert(out.end(), moov.begin(), moov.end());
  return out;
}

std::optional<std::vector<std::uint8_t>> cutBeforeIndex(std::span<const std::uint8_t> file) {
  const auto boxes = topLevelBoxes(file);
  if (!boxes) return std::nullopt;
  const auto index = onlyBox(*boxes, "moov");
  if (!index) return std::nullopt;
  return std::vector<std::uint8_t>(file.begin(), file.begin() + std::ptrdiff_t(index->offset));
}

void scrambleFirstBox(std::span<std::uint8_t> file, std::uint32_t key) {
  const std::size_t length = std::min(file.size(), kRecorderFileTypeBytes);
  for (std::size_t i = 0; i < length; ++i) file[i] ^= std::uint8_t(key >> (24 - 8 * (i % 4)));
}

}  // namespace samplecard

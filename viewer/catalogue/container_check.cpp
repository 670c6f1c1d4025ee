#include "catalogue/container_check.h"

#include <array>

#include "mp4/box_walker.h"

namespace catalogue {

namespace {

constexpr std::array<std::uint32_t, 3> kBoxOrder{mp4::FourCC("ftyp"), mp4::FourCC("mdat"), mp4::FourCC("moov")};

} // namespace

ContainerCheck CheckContainer(const std::string& path) {
    const mp4::FileSource file(path);
    if (!file.IsOpen()) return ContainerCheck::NotValid;
    mp4::BoxWalker walker(file, mp4::SizeRule::Compact);
    for (const std::uint32_t expected : kBoxOrder) {
        // The end of the file, a header cut short or a size that would not advance the walk.
        if (walker.Next() != mp4::BoxWalker::Step::Box) return ContainerCheck::NotValid;
        if (walker.box().type != expected) return ContainerCheck::OutOfOrder;
    }
    // Reaching the index is what counts, whatever its size field says.
    return ContainerCheck::Valid;
}

} // namespace catalogue

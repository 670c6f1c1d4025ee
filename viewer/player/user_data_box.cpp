#include "player/user_data_box.h"

#include <algorithm>
#include <new>
#include <span>

#include "mp4/box_walker.h"

namespace player {

namespace {

constexpr std::uint64_t kHeaderBytes = 8;
// Headers are read through a window so that a file of many small boxes costs few reads, while
// a recording's few large boxes cost a few windows.
constexpr std::uint64_t kHeaderWindowBytes = 16 * 1024;

// The file as the walk sees it: small reads served from a window of the file, and in the
// encryption view mode the first box's size combined with the key.
class WalkView final : public mp4::ByteSource {
public:
    WalkView(const mp4::FileSource& file, std::optional<std::uint32_t> key) : file_(file), key_(key) {}

    std::uint64_t Size() const override { return file_.Size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        if (offset > Size() || out.size() > Size() - offset) return false;
        if (offset < windowStart_ || offset + out.size() > windowStart_ + window_.size()) {
            window_.resize(std::min(std::max<std::uint64_t>(kHeaderWindowBytes, out.size()), Size() - offset));
            windowStart_ = offset;
            if (!file_.ReadAt(offset, window_)) {
                window_.clear();
                return false;
            }
        }
        std::copy_n(window_.begin() + static_cast<std::ptrdiff_t>(offset - windowStart_), out.size(), out.begin());
        if (key_) {
            std::uint8_t keyBytes[4];
            mp4::StoreBigEndian32(keyBytes, *key_);
            for (std::uint64_t at = offset; at < 4 && at < offset + out.size(); ++at) out[at - offset] ^= keyBytes[at];
        }
        return true;
    }

private:
    const mp4::FileSource& file_;
    std::optional<std::uint32_t> key_;
    mutable std::uint64_t windowStart_ = 0;
    mutable std::vector<std::uint8_t> window_;
};

bool FirstBoxKindAccepted(std::uint32_t firstType, int encryptedView) {
    const bool isPlain = firstType == mp4::FourCC("ftyp");
    return encryptedView == 0 ? isPlain : !isPlain;
}

} // namespace

const char* WrongKindMessage(int encryptedView) {
    return encryptedView == 0
               ? "General View Mode에서는 암호화 된 file을 재생 할 수 없습니다.\nViewer를 다시 시작해 주세요.\n"
               : "Encryption View Mode에서는 일반 file은 재생 할 수 없습니다.\nViewer를 다시 시작해 주세요.\n";
}

UserDataBoxRead FindUserDataBox(const std::optional<std::string>& path, int encryptedView,
                                std::uint32_t key) {
    const auto fail = [](int code) { return UserDataBoxRead{code, {}}; };
    if (!path) return fail(kBoxNoPath);
    const mp4::FileSource file(*path);
    switch (file.status()) {
    case mp4::FileSource::Status::Open: break;
    case mp4::FileSource::Status::NoSize: return fail(kBoxNoSize);
    case mp4::FileSource::Status::CannotOpen:
    case mp4::FileSource::Status::NotARegularFile: return fail(kBoxOpenFailed);
    }
    if (file.Size() == 0) return fail(kBoxEmptyFile);
    if (file.Size() < kHeaderBytes) return fail(kBoxNotFound);

    const WalkView view(file, encryptedView != 0 ? std::optional(key) : std::nullopt);
    std::uint8_t firstHeader[kHeaderBytes];
    if (!view.ReadAt(0, firstHeader)) return fail(kBoxReadFailed);
    if (!FirstBoxKindAccepted(mp4::ReadBigEndian32(firstHeader + 4), encryptedView)) return fail(kBoxWrongKind);

    mp4::BoxWalker walker(view, mp4::SizeRule::Compact);
    for (;;) {
        const mp4::BoxWalker::Step step = walker.Next();
        if (step == mp4::BoxWalker::Step::ReadFailed) return fail(kBoxReadFailed);
        if (step != mp4::BoxWalker::Step::Box) return fail(kBoxNotFound);
        // The box is taken whatever its size field says: the copy runs to the end of the file.
        if (walker.box().type == mp4::FourCC("udat")) break;
    }

    UserDataBoxRead result;
    try {
        result.copy.resize(file.Size() - walker.box().offset);   // at least the header
    } catch (const std::bad_alloc&) {
        return fail(kBoxNoMemory);
    }
    if (!file.ReadAt(walker.box().offset, result.copy)) return fail(kBoxReadFailed);
    result.code = kBoxFound;
    return result;
}

} // namespace player

#include "player/user_data_box.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

#include "player/big_endian.h"

namespace player {

namespace {

constexpr std::uint64_t kHeaderBytes = 8;
// Headers are read through a window so that a file of many small boxes costs few reads, while
// a recording's few large boxes cost a few windows.
constexpr std::uint64_t kHeaderWindowBytes = 16 * 1024;

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ReadOnlyFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    std::optional<std::uint64_t> Size() const {
        struct stat info {};
        if (::fstat(fd_, &info) != 0 || info.st_size < 0) return std::nullopt;
        return static_cast<std::uint64_t>(info.st_size);
    }
    // Reads exactly length bytes at offset; false on an error or a short read.
    bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::uint64_t length) const {
        while (length > 0) {
            const ssize_t got = ::pread(fd_, out, length, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            out += got;
            offset += static_cast<std::uint64_t>(got);
            length -= static_cast<std::uint64_t>(got);
        }
        return true;
    }

private:
    int fd_;
};

// Box headers of one file, served from a window of the file.
class HeaderReader {
public:
    HeaderReader(const ReadOnlyFile& file, std::uint64_t fileSize) : file_(file), fileSize_(fileSize) {}

    // The 8 header bytes at offset (which the caller keeps inside the file), or nullptr when the
    // read failed.
    const std::uint8_t* HeaderAt(std::uint64_t offset) {
        if (offset < windowStart_ || offset + kHeaderBytes > windowStart_ + window_.size()) {
            const std::uint64_t length = std::min(kHeaderWindowBytes, fileSize_ - offset);
            window_.resize(length);
            windowStart_ = offset;
            if (!file_.ReadAt(offset, window_.data(), length)) {
                window_.clear();
                return nullptr;
            }
        }
        return window_.data() + (offset - windowStart_);
    }

private:
    const ReadOnlyFile& file_;
    std::uint64_t fileSize_;
    std::uint64_t windowStart_ = 0;
    std::vector<std::uint8_t> window_;
};

bool FirstBoxKindAccepted(std::uint32_t firstType, int encryptedView) {
    const bool isPlain = firstType == FourCC("ftyp");
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
    const ReadOnlyFile file(*path);
    if (!file.IsOpen()) return fail(kBoxOpenFailed);
    const std::optional<std::uint64_t> size = file.Size();
    if (!size) return fail(kBoxNoSize);
    if (*size == 0) return fail(kBoxEmptyFile);
    if (*size < kHeaderBytes) return fail(kBoxNotFound);

    HeaderReader headers(file, *size);
    const std::uint8_t* header = headers.HeaderAt(0);
    if (!header) return fail(kBoxReadFailed);
    if (!FirstBoxKindAccepted(ReadBigEndian32(header + 4), encryptedView)) return fail(kBoxWrongKind);

    std::uint64_t offset = 0;   // 64-bit: a run of 32-bit box sizes cannot wrap it
    for (;;) {
        header = headers.HeaderAt(offset);
        if (!header) return fail(kBoxReadFailed);
        std::uint32_t boxSize = ReadBigEndian32(header);
        if (offset == 0 && encryptedView != 0) boxSize ^= key;
        if (ReadBigEndian32(header + 4) == FourCC("udat")) break;
        if (boxSize < kHeaderBytes) return fail(kBoxNotFound);
        offset += boxSize;
        if (offset + kHeaderBytes > *size) return fail(kBoxNotFound);
    }

    UserDataBoxRead result;
    try {
        result.copy.resize(*size - offset);   // at least the header, checked above
    } catch (const std::bad_alloc&) {
        return fail(kBoxNoMemory);
    }
    if (!file.ReadAt(offset, result.copy.data(), result.copy.size())) return fail(kBoxReadFailed);
    result.code = kBoxFound;
    return result;
}

} // namespace player

#include "catalogue/container_check.h"

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace catalogue {
namespace {

namespace fs = std::filesystem;

// A box header with a declared size, followed by payloadBytes zero bytes.
std::string box(std::uint32_t declaredSize, const char* type, std::size_t payloadBytes) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<char>((declaredSize >> shift) & 0xFF));
    bytes.append(type, 4);
    bytes.append(payloadBytes, '\0');
    return bytes;
}

std::string wholeBox(std::uint32_t size, const char* type) { return box(size, type, size - 8); }

class ContainerCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(TRIPDESK_TEST_WORK_DIR) / "boxes";
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }

    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    ContainerCheck check(const std::string& bytes) { return CheckContainer(write("f.mp4", bytes)); }

    fs::path dir_;
};

TEST_F(ContainerCheckTest, BoxOrder) {
    const std::string ftyp = wholeBox(24, "ftyp");
    const std::string mdat = wholeBox(1000, "mdat");
    const std::string moov = wholeBox(120, "moov");
    EXPECT_EQ(check(ftyp + mdat + moov), ContainerCheck::Valid);
    EXPECT_EQ(check(ftyp + mdat + moov + wholeBox(16, "free")), ContainerCheck::Valid);
    EXPECT_EQ(check(ftyp + mdat), ContainerCheck::NotValid);  // recording cut before its index
    EXPECT_EQ(check(ftyp), ContainerCheck::NotValid);
    EXPECT_EQ(check(ftyp + moov + mdat), ContainerCheck::OutOfOrder);
    EXPECT_EQ(check(mdat + ftyp + moov), ContainerCheck::OutOfOrder);
    EXPECT_EQ(check(wholeBox(40, "udat") + mdat + moov), ContainerCheck::OutOfOrder);
    EXPECT_EQ(check(ftyp + wholeBox(8, "free") + mdat + moov), ContainerCheck::OutOfOrder);
    EXPECT_EQ(check(ftyp + mdat + wholeBox(16, "MOOV")), ContainerCheck::OutOfOrder);
}

TEST_F(ContainerCheckTest, EmptyMissingAndNonRegularFiles) {
    EXPECT_EQ(check(""), ContainerCheck::NotValid);
    EXPECT_EQ(check(std::string("\0\0\0\x18" "ft", 6)), ContainerCheck::NotValid);  // cut header
    EXPECT_EQ(CheckContainer((dir_ / "missing.mp4").string()), ContainerCheck::NotValid);
    EXPECT_EQ(CheckContainer(dir_.string()), ContainerCheck::NotValid);
    EXPECT_EQ(CheckContainer(write("a.mp4", "x") + std::string(1, '\0') + "b"),
              ContainerCheck::NotValid);
    const fs::path fifo = dir_ / "drf2_fifo.mp4";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(CheckContainer(fifo.string()), ContainerCheck::NotValid);  // and does not block
}

TEST_F(ContainerCheckTest, SizesThatWouldNotAdvanceEndTheWalk) {
    const std::string mdat = wholeBox(100, "mdat");
    const std::string moov = wholeBox(16, "moov");
    for (std::uint32_t size : {0u, 1u, 7u}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(check(box(size, "ftyp", 16) + mdat + moov), ContainerCheck::NotValid);
        EXPECT_EQ(check(wholeBox(24, "ftyp") + box(size, "mdat", 16) + moov),
                  ContainerCheck::NotValid);
    }
    EXPECT_EQ(check(box(8, "ftyp", 0) + box(8, "mdat", 0) + box(8, "moov", 0)),
              ContainerCheck::Valid);
}

TEST_F(ContainerCheckTest, SizesThatRunPastTheEnd) {
    const std::string ftyp = wholeBox(24, "ftyp");
    // The media box claims more than the file holds: the index is never reached.
    EXPECT_EQ(check(ftyp + box(5000, "mdat", 100) + wholeBox(16, "moov")), ContainerCheck::NotValid);
    EXPECT_EQ(check(ftyp + box(0xFFFFFFFFu, "mdat", 100)), ContainerCheck::NotValid);
    // An index cut short is not a complete recording; size 0 means "to the end of the file".
    EXPECT_EQ(check(ftyp + wholeBox(100, "mdat") + box(400, "moov", 100)), ContainerCheck::NotValid);
    EXPECT_EQ(check(ftyp + wholeBox(100, "mdat") + box(4, "moov", 100)), ContainerCheck::NotValid);
    EXPECT_EQ(check(ftyp + wholeBox(100, "mdat") + box(0, "moov", 100)), ContainerCheck::Valid);
}

TEST_F(ContainerCheckTest, MediaBoxNearFourGigabytes) {
    // A sparse file: ftyp, an mdat of 0xFFFFFFF8 bytes, then the index beyond the 4 GB mark.
    const std::uint64_t mdatSize = 0xFFFFFFF8u;
    const std::string path = write("big.mp4", wholeBox(24, "ftyp") + box(mdatSize, "mdat", 0));
    {
        std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(static_cast<std::streamoff>(24 + mdatSize));
        file << wholeBox(16, "moov");
        if (!file) GTEST_SKIP() << "no sparse file support here";
    }
    ASSERT_EQ(fs::file_size(path), 24 + mdatSize + 16);
    EXPECT_EQ(CheckContainer(path), ContainerCheck::Valid);
    fs::resize_file(path, 24 + mdatSize + 8);
    EXPECT_EQ(CheckContainer(path), ContainerCheck::NotValid);
}

} // namespace
} // namespace catalogue

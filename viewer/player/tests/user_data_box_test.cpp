#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <future>
#include <random>

#include "dialog_hooks.h"
#include "platform/clock.h"
#include "player/tarn_adap.h"
#include "player/tarn_udat.h"
#include "player/user_data_box.h"
#include "test_folders.h"
#include "test_support.h"
#include "user_data_files.h"

namespace player {
namespace {

using test::Box;
using test::Bytes;
using test::Concat;

class UserDataBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = tripdesk::test::FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = (folder_ / name).string();
        test::WriteBytes(path, bytes);
        return path;
    }
    std::filesystem::path folder_;
};

TEST_F(UserDataBoxTest, FindsTheBoxAndCopiesItWithEverythingAfterIt) {
    const Bytes udat = test::BuildUdat({6});
    const Bytes trailer = Box("free", Bytes(40));
    const Bytes file = Concat({test::BuildRecording(udat), trailer});
    const UserDataBoxRead read = FindUserDataBox(Write("a.mp4", file), 0, 0);
    ASSERT_EQ(read.code, kBoxFound);
    EXPECT_EQ(read.copy, Concat({udat, trailer}));
}

TEST_F(UserDataBoxTest, CodesOfFilesWithoutAReachableBox) {
    EXPECT_EQ(FindUserDataBox(std::nullopt, 0, 0).code, kBoxNoPath);
    EXPECT_EQ(FindUserDataBox((folder_ / "missing.mp4").string(), 0, 0).code, kBoxOpenFailed);
    EXPECT_EQ(FindUserDataBox(folder_.string(), 0, 0).code, kBoxOpenFailed);   // not a regular file
    EXPECT_EQ(FindUserDataBox(Write("empty.mp4", {}), 0, 0).code, kBoxEmptyFile);
    EXPECT_EQ(FindUserDataBox(Write("short.mp4", {0, 0, 0, 8, 'f'}), 0, 0).code, kBoxNotFound);
    const Bytes noUdat = Concat({Box("ftyp", Bytes(16)), Box("mdat", Bytes(100)), Box("moov", Bytes(10))});
    EXPECT_EQ(FindUserDataBox(Write("none.mp4", noUdat), 0, 0).code, kBoxNotFound);

    // A size of 0 ("to the end") or below the header ends the walk instead of repeating it.
    for (const std::uint32_t size : {0u, 1u, 7u}) {
        Bytes file = test::BuildRecording(test::BuildUdat());
        test::StoreBigEndian32(file, 24, size);   // the "mdat" box
        EXPECT_EQ(FindUserDataBox(Write("stuck.mp4", file), 0, 0).code, kBoxNotFound) << size;
    }
    // A box that claims to reach past the end, and a header cut by the end of the file.
    Bytes past = test::BuildRecording(test::BuildUdat());
    test::StoreBigEndian32(past, 24, 0xFFFFFFF0u);
    EXPECT_EQ(FindUserDataBox(Write("past.mp4", past), 0, 0).code, kBoxNotFound);
    EXPECT_EQ(FindUserDataBox(Write("cut.mp4", Concat({Box("ftyp", Bytes(16)), Bytes{0, 0, 0, 9, 'u'}})), 0, 0).code,
              kBoxNotFound);
}

TEST_F(UserDataBoxTest, AFifoOrADeviceIsRefusedAtOnce) {
    const std::filesystem::path fifo = folder_ / "drf2_20240101_120000.mp4";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Run apart, so that a blocking open (which waits for a writer) fails the test instead of
    // hanging it.
    auto read = std::async(std::launch::async, [&] { return FindUserDataBox(fifo.string(), 0, 0).code; });
    if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        std::ofstream(fifo).put('x');   // releases the blocked open
        FAIL() << "FindUserDataBox blocked on a FIFO";
    }
    EXPECT_EQ(read.get(), kBoxOpenFailed);
    EXPECT_EQ(FindUserDataBox(std::string("/dev/zero"), 0, 0).code, kBoxOpenFailed);
}

// The same files the player library's reader is tested on: both must agree on which have user data.
TEST_F(UserDataBoxTest, TrickyBoxSizesAsTheLibraryReadsThem) {
    for (const tripdesk::test::TrickyRecording& file : tripdesk::test::TrickyRecordings()) {
        const UserDataBoxRead read = FindUserDataBox(Write(file.name + ".mp4", file.bytes), 0, 0);
        TarnUDAT parser;
        parser.SetBox(read.copy.data(), read.copy.size());
        const bool parsed = read.code == kBoxFound && parser.Parse() == 0;
        EXPECT_EQ(parsed, file.hasUserData) << file.name << " code " << read.code;
        if (!file.hasUserData) continue;
        parser.SetEntryCount(3);
        EXPECT_NE(parser.GpsEntry(2), nullptr) << file.name;
        EXPECT_EQ(parser.GpsEntry(3), nullptr) << file.name;
    }
}

TEST_F(UserDataBoxTest, EveryTruncationOfARecordingKeepsItsCode) {
    const Bytes udat = test::BuildUdat({3});
    const Bytes file = test::BuildRecording(udat);
    const std::size_t udatOffset = file.size() - udat.size();
    for (std::size_t length = 0; length <= file.size(); ++length) {
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        const UserDataBoxRead read = FindUserDataBox(Write("cut.mp4", cut), 0, 0);
        int expected = kBoxNotFound;
        if (length == 0) expected = kBoxEmptyFile;
        else if (length >= udatOffset + 8) expected = kBoxFound;
        ASSERT_EQ(read.code, expected) << length;
        if (expected == kBoxFound) {
            ASSERT_EQ(read.copy, Bytes(cut.begin() + static_cast<std::ptrdiff_t>(udatOffset), cut.end()));
        }
    }
}

TEST_F(UserDataBoxTest, TheEncryptionViewModeRefusesPlainFilesAndUnmasksTheFirstSize) {
    const std::string plain = Write("plain.mp4", test::BuildRecording(test::BuildUdat()));
    EXPECT_EQ(FindUserDataBox(plain, 0, 0).code, kBoxFound);
    EXPECT_EQ(FindUserDataBox(plain, 1, 0).code, kBoxWrongKind);

    const std::uint32_t key = 0x5A5A1234u;
    Bytes encrypted = Concat({Box("encf", Bytes(24)), Box("mdat", Bytes(50)), test::BuildUdat()});
    test::StoreBigEndian32(encrypted, 0, 32u ^ key);
    const std::string path = Write("encrypted.mp4", encrypted);
    EXPECT_EQ(FindUserDataBox(path, 0, key).code, kBoxWrongKind);
    EXPECT_EQ(FindUserDataBox(path, 1, key).code, kBoxFound);
    EXPECT_EQ(FindUserDataBox(path, 1, 0).code, kBoxNotFound);   // masked size read as is
}

TEST_F(UserDataBoxTest, HostileBoxChainsAndRandomFilesEndTheWalk) {
    // Sizes chosen so that 32-bit offsets would wrap back to the start of the file.
    Bytes chain = Concat({Box("ftyp", Bytes(16)), Box("aaaa", {}), Box("bbbb", {})});
    test::StoreBigEndian32(chain, 24, 0xFFFFFFE8u);
    EXPECT_EQ(FindUserDataBox(Write("wrap.mp4", chain), 0, 0).code, kBoxNotFound);

    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        Bytes bytes(8 + random() % 400);
        for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random() % 4 == 0 ? 0 : random());
        std::memcpy(bytes.data() + 4, "ftyp", 4);
        if (round % 3 == 0 && bytes.size() > 40) std::memcpy(bytes.data() + 36, "udat", 4);
        const UserDataBoxRead read = FindUserDataBox(Write("random.mp4", bytes), 0, 0);
        ASSERT_TRUE(read.code == kBoxFound || read.code == kBoxNotFound) << read.code;
        if (read.code == kBoxFound) {
            ASSERT_LE(read.copy.size(), bytes.size());
        }
    }
}

// ---- Through the adapter ------------------------------------------------------------------------

// The platform clock fast-forwarded so that the states' settles cost no time.
class AdapterUserDataTest : public UserDataBoxTest {
protected:
    void SetUp() override {
        platform::SetClockFastForward(true);
        UserDataBoxTest::SetUp();
    }
    // An adapter in Ended with no library: its SetNextNPlay reads the user data and sends nothing.
    void Open(TarnAdap& adapter, const std::string& path) {
        adapter.SetState(StateId::Ended);
        ASSERT_EQ(adapter.PlayFiles(path, ""), 0);
    }
};

TEST_F(AdapterUserDataTest, ReadUserDataCodes) {
    TarnAdap adapter(platform::kNoWindow);
    EXPECT_EQ(adapter.ReadUserData(), kBoxNoPath);
    EXPECT_TRUE(adapter.NoUserData());

    Open(adapter, Write("good.mp4", test::BuildRecording(test::BuildUdat({3, "RTCD"}))));
    EXPECT_EQ(adapter.ReadUserData(), 0);
    EXPECT_FALSE(adapter.NoUserData());
    EXPECT_EQ(adapter.UserDataBoxLength(), test::BuildUdat({3}).size());

    Open(adapter, Write("bad.mp4", test::BuildRecording(test::BuildUdat({3, "TIME", "GPSX"}))));
    EXPECT_TRUE(adapter.NoUserData());
    EXPECT_EQ(adapter.ReadUserData(), kUserDataParseFailed);

    Open(adapter, Write("none.mp4", Concat({Box("ftyp", Bytes(16)), Box("mdat", Bytes(10))})));
    EXPECT_EQ(adapter.ReadUserData(), kBoxNotFound);
    EXPECT_TRUE(adapter.NoUserData());
}

// A ".mjpg" recording is never read, even when it holds a box.
TEST_F(AdapterUserDataTest, MjpgFilesHaveNoUserData) {
    TarnAdap adapter(platform::kNoWindow);
    const Bytes recording = test::BuildRecording(test::BuildUdat());
    Open(adapter, Write("a.mp4", recording));
    EXPECT_FALSE(adapter.NoUserData());
    Open(adapter, Write("a.mjpg", recording));
    EXPECT_TRUE(adapter.NoUserData());
    EXPECT_EQ(adapter.UserDataBoxLength(), 0u);
    // Only a match after the first character counts.
    Write(".mjpg", recording);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    Open(adapter, ".mjpg");
    std::filesystem::current_path(before);
    EXPECT_FALSE(adapter.NoUserData());
}

TEST_F(AdapterUserDataTest, AFileOfTheWrongKindShowsItsMessageAndEndsTheViewer) {
    tripdesk::test::DialogHooks hooks;
    TarnAdap adapter(platform::kNoWindow);
    Open(adapter, Write("encrypted.mp4", Concat({Box("encf", Bytes(16)), test::BuildUdat()})));
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0],
              "General View Mode에서는 암호화 된 file을 재생 할 수 없습니다.\nViewer를 다시 시작해 주세요.\n");
    EXPECT_EQ(hooks.exitCodes, std::vector<int>{0});

    adapter.encryptedView = 1;
    Open(adapter, Write("plain.mp4", test::BuildRecording(test::BuildUdat())));
    ASSERT_EQ(hooks.messages.size(), 2u);
    EXPECT_EQ(hooks.messages[1],
              "Encryption View Mode에서는 일반 file은 재생 할 수 없습니다.\nViewer를 다시 시작해 주세요.\n");
    EXPECT_EQ(hooks.exitCodes, (std::vector<int>{0, 0}));
}

} // namespace
} // namespace player

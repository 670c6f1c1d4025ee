// The frame pictures copied during the frame event: numbered pictures published flat out on a
// library thread while the user-interface thread copies them. Every copy is one whole picture
// (and ThreadSanitizer sees no race).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "bridge_fixture.h"
#include "player/picture_triple_buffer.h"

namespace player::test {
namespace {

// Every byte of picture n holds n mod 251; a copy mixing two pictures has two values.
bool WholePicture(std::span<const std::uint8_t> picture, int& number) {
    if (picture.empty()) return true;
    number = picture.front();
    return std::all_of(picture.begin(), picture.end(), [&](std::uint8_t b) { return b == picture.front(); });
}

TEST(PictureTripleBuffer, NewestWholePictureOrNone) {
    PictureTripleBuffer buffer;
    EXPECT_TRUE(buffer.Latest().empty());
    const std::vector<std::uint8_t> a(100, 1), b(60, 2), c(100, 3);
    buffer.Publish(a.data(), a.size());
    buffer.Publish(b.data(), b.size());
    EXPECT_TRUE(std::ranges::equal(buffer.Latest(), b)) << "the newest, whatever its size";
    EXPECT_TRUE(std::ranges::equal(buffer.Latest(), b)) << "kept while nothing newer came";
    buffer.Publish(c.data(), c.size());
    EXPECT_TRUE(std::ranges::equal(buffer.Latest(), c));
    buffer.Publish(nullptr, 100);
    EXPECT_TRUE(buffer.Latest().empty());
    buffer.Publish(a.data(), 0);
    EXPECT_TRUE(buffer.Latest().empty());
}

TEST(PictureTripleBuffer, ReaderNeverSeesATornPicture) {
    constexpr std::size_t kBytes = 64 * 1024;
    PictureTripleBuffer buffer;
    std::atomic<bool> stop{false};
    std::atomic<int> published{0};
    std::thread library([&] {
        std::vector<std::uint8_t> picture(kBytes);
        for (int n = 0; !stop.load(); ++n) {
            std::fill(picture.begin(), picture.end(), static_cast<std::uint8_t>(n % 251));
            buffer.Publish(picture.data(), picture.size());
            // The library reuses its memory at once.
            std::fill(picture.begin(), picture.end(), 0xfe);
            ++published;
        }
    });
    // On a busy machine either thread may wait long for a core: the reader goes on until it has
    // seen many pictures come, within a bound.
    int torn = 0, copies = 0, changes = 0, last = -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while ((copies < 2000 || changes < 100) && std::chrono::steady_clock::now() < deadline) {
        const auto picture = buffer.Latest();
        std::vector<std::uint8_t> copy(picture.begin(), picture.end());
        int number = -1;
        if (!WholePicture(copy, number) || (!copy.empty() && copy.size() != kBytes) || number == 0xfe) ++torn;
        if (number != last) ++changes;
        last = number;
        ++copies;
    }
    stop = true;
    library.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GE(changes, 100) << "the reader saw newer pictures come";
}

class FrameCopiesTest : public BridgeTest {};

// Through the adapter's frame event: channel 2 is copied in channel mode 2 only.
TEST_F(FrameCopiesTest, FrameEventsPublishWholePicturesOfBothChannels) {
    StartPlaying();
    adapter_->channelMode = 2;
    std::atomic<bool> stop{false};
    std::thread library([&] {
        std::vector<std::uint8_t> front(vexplayer::kFramePictureBytes), rear(vexplayer::kFramePictureBytes);
        vexplayer::FrameRecord frame{};
        frame.pictureBytes = vexplayer::kFramePictureBytes;
        frame.channel1Picture = front.data();
        frame.channel2Picture = rear.data();
        for (int n = 0; !stop.load(); ++n) {
            std::fill(front.begin(), front.end(), static_cast<std::uint8_t>(n % 251));
            std::fill(rear.begin(), rear.end(), static_cast<std::uint8_t>((n + 100) % 251));
            scripted::Fire(vexplayer::kEventFrame, &frame);
        }
    });
    int torn = 0, copies = 0, changes = 0, last = -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while ((copies < 200 || changes < 20) && std::chrono::steady_clock::now() < deadline) {
        for (const int channel : {1, 2}) {
            const auto picture = adapter_->LatestPicture(channel);
            int number = -1;
            if (!WholePicture(picture, number) ||
                (!picture.empty() && picture.size() != static_cast<std::size_t>(vexplayer::kFramePictureBytes)))
                ++torn;
            if (channel == 1 && number != last) {
                ++changes;
                last = number;
            }
        }
        ++copies;
    }
    stop = true;
    library.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GE(changes, 20);
    ASSERT_FALSE(adapter_->LatestPicture(2).empty());

    // Channel mode 1: the rear copy stays as it was.
    adapter_->channelMode = 1;
    const std::vector<std::uint8_t> rearBefore(adapter_->LatestPicture(2).begin(), adapter_->LatestPicture(2).end());
    std::vector<std::uint8_t> front(vexplayer::kFramePictureBytes, 7), rear(vexplayer::kFramePictureBytes, 9);
    vexplayer::FrameRecord frame{};
    frame.pictureBytes = vexplayer::kFramePictureBytes;
    frame.channel1Picture = front.data();
    frame.channel2Picture = rear.data();
    scripted::Fire(vexplayer::kEventFrame, &frame);
    EXPECT_EQ(adapter_->LatestPicture(1).front(), 7);
    EXPECT_TRUE(std::ranges::equal(adapter_->LatestPicture(2), rearBefore));
}

} // namespace
} // namespace player::test

#include "player/frame_hand_over.h"

#include <cstring>
#include <thread>

namespace player {

namespace {
constexpr auto kStore = std::memory_order_release;
constexpr auto kLoad = std::memory_order_acquire;
} // namespace

std::string_view UserDataSnapshot::GpsText() const {
    const auto end = std::memchr(gps.data(), '\0', gps.size());
    const std::size_t length = end ? static_cast<const char*>(end) - gps.data() : gps.size();
    return {gps.data(), length};
}

std::array<float, 3> UserDataSnapshot::GSensor() const {
    std::array<float, 3> axes{};
    for (std::size_t i = 0; i < axes.size(); ++i) {
        const std::uint8_t* p = gsensor.data() + 4 * i;
        const std::uint32_t bits = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                                   (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
        std::memcpy(&axes[i], &bits, sizeof bits);
    }
    return axes;
}

// Writers take the odd count by compare-and-swap, so two library threads never write at once.
void FrameHandOver::BeginWrite() {
    std::uint32_t sequence = sequence_.load(std::memory_order_relaxed);
    for (;;) {
        if (sequence & 1u) {
            std::this_thread::yield();
            sequence = sequence_.load(std::memory_order_relaxed);
        } else if (sequence_.compare_exchange_weak(sequence, sequence + 1, std::memory_order_acquire,
                                                   std::memory_order_relaxed)) {
            return;
        }
    }
}

void FrameHandOver::EndWrite() { sequence_.fetch_add(1, std::memory_order_release); }

// Payload stores are release and payload loads acquire: a reader that sees any word of a newer
// write also sees that write's odd count when it checks the counter again.
template <typename Read> auto FrameHandOver::ReadConsistent(Read read) const {
    for (;;) {
        const std::uint32_t before = sequence_.load(kLoad);
        if ((before & 1u) == 0) {
            auto value = read();
            if (sequence_.load(std::memory_order_relaxed) == before) return value;
        }
        std::this_thread::yield();
    }
}

void FrameHandOver::PublishPictures(const std::uint8_t* channel1, const std::uint8_t* channel2,
                                    bool withChannel2, std::int32_t pictureBytes) {
    const std::size_t bytes = pictureBytes > 0 ? static_cast<std::size_t>(pictureBytes) : 0;
    pictures_[0].Publish(channel1, bytes);
    if (withChannel2) pictures_[1].Publish(channel2, bytes);
}

void FrameHandOver::PublishUserData(bool noUserData, const std::uint8_t* gpsEntry,
                                    const std::uint8_t* gsensorEntry) {
    BeginWrite();
    noUserData_.store(noUserData, kStore);
    if (!noUserData) {
        for (std::size_t i = 0; i < kGpsWords; ++i) {
            std::uint64_t word = 0;
            if (gpsEntry) std::memcpy(&word, gpsEntry + 8 * i, sizeof word);
            gpsWords_[i].store(word, kStore);
        }
        for (std::size_t i = 0; i < kGSensorWords; ++i) {
            std::uint32_t word = 0;
            if (gsensorEntry) std::memcpy(&word, gsensorEntry + 4 * i, sizeof word);
            gsensorWords_[i].store(word, kStore);
        }
        hasCopies_.store(true, kStore);
    }
    EndWrite();
}

UserDataSnapshot FrameHandOver::SnapshotUserData() const {
    return ReadConsistent([this] {
        UserDataSnapshot snapshot;
        snapshot.hasCopies = hasCopies_.load(kLoad);
        snapshot.noUserData = noUserData_.load(kLoad);
        for (std::size_t i = 0; i < kGpsWords; ++i) {
            const std::uint64_t word = gpsWords_[i].load(kLoad);
            std::memcpy(snapshot.gps.data() + 8 * i, &word, sizeof word);
        }
        for (std::size_t i = 0; i < kGSensorWords; ++i) {
            const std::uint32_t word = gsensorWords_[i].load(kLoad);
            std::memcpy(snapshot.gsensor.data() + 4 * i, &word, sizeof word);
        }
        return snapshot;
    });
}

std::span<const std::uint8_t> FrameHandOver::LatestPicture(int channel) {
    if (channel != 1 && channel != 2) return {};
    return pictures_[static_cast<std::size_t>(channel - 1)].Latest();
}

} // namespace player

#pragma once
// The frame copies handed from the library's thread to the user-interface thread without a lock
// that the reader could hold: a sequence counter around a payload of atomic words. Writers (the
// library's threads) never wait for a reader; a reader retries while a write is under way, so it
// always gets one whole GPS entry and the G-sensor entry of the same step. The pictures, which
// belong to the library and are freed at its next frame, are copied into a triple buffer per
// channel during the frame event.

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <string_view>

#include "player/picture_triple_buffer.h"

namespace player {

struct UserDataSnapshot {
    static constexpr std::size_t kGpsBytes = 128;
    static constexpr std::size_t kGSensorBytes = 12;

    bool hasCopies = false;    // a frame with user data has arrived since the adapter was built
    bool noUserData = true;    // the current file has no usable user data
    std::array<char, kGpsBytes> gps{};                // NMEA text, zero-filled when absent
    std::array<std::uint8_t, kGSensorBytes> gsensor{}; // X, Y, Z: little-endian floats in g

    // The sentence: up to the first NUL or the whole 128 bytes.
    std::string_view GpsText() const;
    std::array<float, 3> GSensor() const;
};

class FrameHandOver {
public:
    // Library's thread: copies of the pictures (pictureBytes each; none when it is not positive).
    // channel2 is taken only when withChannel2 is set.
    void PublishPictures(const std::uint8_t* channel1, const std::uint8_t* channel2, bool withChannel2,
                         std::int32_t pictureBytes);
    // Library's thread: the no-user-data flag and, when the file has user data, copies of the
    // 128-byte GPS entry and the 12-byte G-sensor entry (zeros where an entry is null).
    void PublishUserData(bool noUserData, const std::uint8_t* gpsEntry, const std::uint8_t* gsensorEntry);
    // Any thread: the flag alone (a new file was read, library event 33).
    void SetNoUserData(bool noUserData) { noUserData_.store(noUserData, std::memory_order_release); }
    bool NoUserData() const { return noUserData_.load(std::memory_order_acquire); }

    // Any thread.
    UserDataSnapshot SnapshotUserData() const;
    // User-interface thread only: the newest whole copy of channel 1's or 2's picture, empty
    // before the first; valid until the next call for that channel.
    std::span<const std::uint8_t> LatestPicture(int channel);

private:
    static constexpr std::size_t kGpsWords = UserDataSnapshot::kGpsBytes / 8;
    static constexpr std::size_t kGSensorWords = UserDataSnapshot::kGSensorBytes / 4;

    void BeginWrite();
    void EndWrite();
    template <typename Read> auto ReadConsistent(Read read) const;

    std::atomic<std::uint32_t> sequence_{0};   // odd while a write is under way
    std::array<std::atomic<std::uint64_t>, kGpsWords> gpsWords_{};
    std::array<std::atomic<std::uint32_t>, kGSensorWords> gsensorWords_{};
    std::atomic<bool> hasCopies_{false};
    std::atomic<bool> noUserData_{true};
    std::array<PictureTripleBuffer, 2> pictures_;
};

} // namespace player

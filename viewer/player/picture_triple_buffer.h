#pragma once
// One channel's frame picture handed from the library's thread to the user-interface thread:
// three buffers, one being written, one ready, one being read. The writer copies the library's
// picture into its buffer during the frame event and swaps it with the ready one; the reader
// swaps the ready one with its own when a newer picture is there. Neither side waits for the
// other and the reader always sees one whole picture.

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

namespace player {

class PictureTripleBuffer {
public:
    // Library's threads (one at a time; a second writer waits for the first, never the reader).
    // A null picture or a size of 0 publishes "no picture".
    void Publish(const std::uint8_t* picture, std::size_t bytes);

    // One reader thread: the newest whole picture, empty before the first one. The bytes stay
    // valid and unchanged until this reader's next call.
    std::span<const std::uint8_t> Latest();

private:
    static constexpr unsigned kFresh = 4;   // set in ready_ when the writer left a new picture

    std::array<std::vector<std::uint8_t>, 3> buffers_;
    std::atomic<unsigned> ready_{1};   // index of the ready buffer, | kFresh
    unsigned writing_ = 0;             // writer's buffer, guarded by writerBusy_
    unsigned reading_ = 2;             // reader's buffer
    std::atomic_flag writerBusy_;
};

} // namespace player

#pragma once
// Entropy-coded bytes: bits most-significant first, a 0x00 after every 0xFF, the last byte
// completed with 0 bits. The output grows as needed.

#include <cstdint>
#include <vector>

namespace capture::jpeg {

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    // The low `count` bits of `bits` (count 0..16).
    void Put(std::uint32_t bits, unsigned count);
    // Completes a partial byte with 0 bits.
    void Flush();

private:
    void Emit(std::uint8_t byte);

    std::vector<std::uint8_t>& out_;
    std::uint32_t pending_ = 0;   // the byte being assembled, in its low bits
    unsigned pendingBits_ = 0;
};

} // namespace capture::jpeg

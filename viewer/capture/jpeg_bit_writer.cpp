#include "capture/jpeg_bit_writer.h"

namespace capture::jpeg {

void BitWriter::Emit(std::uint8_t byte) {
    out_.push_back(byte);
    if (byte == 0xff) out_.push_back(0x00);
}

void BitWriter::Put(std::uint32_t bits, unsigned count) {
    for (unsigned i = count; i-- > 0;) {
        pending_ = (pending_ << 1) | ((bits >> i) & 1u);
        if (++pendingBits_ == 8) {
            Emit(static_cast<std::uint8_t>(pending_));
            pending_ = 0;
            pendingBits_ = 0;
        }
    }
}

void BitWriter::Flush() {
    if (pendingBits_ == 0) return;
    Emit(static_cast<std::uint8_t>(pending_ << (8 - pendingBits_)));
    pending_ = 0;
    pendingBits_ = 0;
}

} // namespace capture::jpeg

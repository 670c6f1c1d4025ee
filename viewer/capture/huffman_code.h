#pragma once
// Huffman codes built by the procedure of T.81 Annex C from the bytes of a DHT segment as they
// are written, so that the codes used are always those the file declares.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace capture::jpeg {

struct HuffmanCode {
    std::array<std::uint16_t, 256> code{};
    std::array<std::uint8_t, 256> length{};   // 0: the symbol has no code
};

class HuffmanCodeSet {
public:
    // The payload of a DHT segment (after its length field): one or more tables, each a
    // class-and-id byte, 16 BITS counts and the HUFFVAL list. Nothing when it is malformed.
    static std::optional<HuffmanCodeSet> FromDht(std::span<const std::uint8_t> payload);

    // classAndId: 0x00, 0x01 (DC) or 0x10, 0x11 (AC); null when the segment did not define it.
    const HuffmanCode* Find(std::uint8_t classAndId) const;

private:
    static std::optional<std::size_t> Slot(std::uint8_t classAndId);
    std::array<std::optional<HuffmanCode>, 4> tables_;
};

} // namespace capture::jpeg

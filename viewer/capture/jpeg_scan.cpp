#include "capture/jpeg_scan.h"

#include <cstdlib>

namespace capture::jpeg {

namespace {

void PutSymbol(BitWriter& writer, const HuffmanCode& table, std::uint8_t symbol) {
    writer.Put(table.code[symbol], table.length[symbol]);
}

// The value's low `size` bits, of value - 1 when it is negative (one's complement form).
void PutValueBits(BitWriter& writer, std::int32_t value, unsigned size) {
    const std::int32_t bits = value < 0 ? value - 1 : value;
    writer.Put(static_cast<std::uint32_t>(bits) & ((1u << size) - 1u), size);
}

} // namespace

unsigned MagnitudeCategory(std::int32_t value) {
    std::uint32_t magnitude = static_cast<std::uint32_t>(std::abs(value));
    unsigned size = 0;
    while (magnitude) {
        ++size;
        magnitude >>= 1;
    }
    return size;
}

void CodeBlock(BitWriter& writer, const std::array<std::int16_t, 64>& block, std::int32_t& predictor,
               const HuffmanCode& dc, const HuffmanCode& ac) {
    const std::int32_t difference = block[0] - predictor;
    predictor = block[0];
    const unsigned dcSize = MagnitudeCategory(difference);
    PutSymbol(writer, dc, static_cast<std::uint8_t>(dcSize));
    PutValueBits(writer, difference, dcSize);

    unsigned run = 0;
    for (std::size_t k = 1; k < 64; ++k) {
        const std::int32_t value = block[k];
        if (value == 0) {
            ++run;
            continue;
        }
        for (; run >= 16; run -= 16) PutSymbol(writer, ac, 0xf0);
        const unsigned size = MagnitudeCategory(value);
        PutSymbol(writer, ac, static_cast<std::uint8_t>(run * 16 + size));
        PutValueBits(writer, value, size);
        run = 0;
    }
    if (block[63] == 0) PutSymbol(writer, ac, 0x00);
}

} // namespace capture::jpeg

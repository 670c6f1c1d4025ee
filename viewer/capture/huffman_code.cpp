#include "capture/huffman_code.h"

namespace capture::jpeg {

std::optional<std::size_t> HuffmanCodeSet::Slot(std::uint8_t classAndId) {
    const unsigned tableClass = classAndId >> 4;
    const unsigned id = classAndId & 0x0f;
    if (tableClass > 1 || id > 1) return std::nullopt;
    return tableClass * 2 + id;
}

std::optional<HuffmanCodeSet> HuffmanCodeSet::FromDht(std::span<const std::uint8_t> payload) {
    HuffmanCodeSet set;
    std::size_t at = 0;
    while (at < payload.size()) {
        if (payload.size() - at < 17) return std::nullopt;
        const std::optional<std::size_t> slot = Slot(payload[at]);
        if (!slot) return std::nullopt;
        const std::span<const std::uint8_t> bits = payload.subspan(at + 1, 16);
        std::size_t count = 0;
        for (const std::uint8_t n : bits) count += n;
        at += 17;
        if (count > 256 || payload.size() - at < count) return std::nullopt;

        // Annex C: codes of one length are consecutive; the next length starts at twice the
        // code after the last one.
        HuffmanCode table;
        std::uint32_t code = 0;
        std::size_t k = 0;
        for (std::size_t length = 1; length <= 16; ++length) {
            for (std::size_t i = 0; i < bits[length - 1]; ++i, ++k, ++code) {
                if (code >= (1u << length)) return std::nullopt;
                const std::uint8_t symbol = payload[at + k];
                table.code[symbol] = static_cast<std::uint16_t>(code);
                table.length[symbol] = static_cast<std::uint8_t>(length);
            }
            code <<= 1;
        }
        at += count;
        set.tables_[*slot] = table;
    }
    return set;
}

const HuffmanCode* HuffmanCodeSet::Find(std::uint8_t classAndId) const {
    const std::optional<std::size_t> slot = Slot(classAndId);
    if (!slot || !tables_[*slot]) return nullptr;
    return &*tables_[*slot];
}

} // namespace capture::jpeg

#include "scan_decoder.h"

namespace capture::testing {

ScanDecoder::ScanDecoder(std::span<const std::uint8_t> dht) {
    std::size_t at = 0;
    while (at + 17 <= dht.size()) {
        const std::uint8_t id = dht[at];
        int code = 0;
        std::size_t value = at + 17;
        for (int length = 1; length <= 16; ++length) {
            for (int i = 0; i < dht[at + length]; ++i) tables_[id][{length, code++}] = dht[value++];
            code <<= 1;
        }
        at = value;
    }
}

namespace {

class BitReader {
public:
    BitReader(std::span<const std::uint8_t> data, ScanDecoding& result) : data_(data), result_(result) {}

    std::optional<int> Bit() {
        if (bitsLeft_ == 0) {
            if (at_ >= data_.size()) return std::nullopt;
            byte_ = data_[at_++];
            if (byte_ == 0xff) {
                if (at_ >= data_.size() || data_[at_] != 0x00) return std::nullopt;
                ++at_;
                ++result_.stuffedBytes;
            }
            bitsLeft_ = 8;
        }
        --bitsLeft_;
        return (byte_ >> bitsLeft_) & 1;
    }
    std::optional<int> Bits(int count) {
        int value = 0;
        for (int i = 0; i < count; ++i) {
            const auto bit = Bit();
            if (!bit) return std::nullopt;
            value = (value << 1) | *bit;
        }
        return value;
    }
    std::size_t Used() const { return at_; }

private:
    std::span<const std::uint8_t> data_;
    ScanDecoding& result_;
    std::size_t at_ = 0;
    std::uint8_t byte_ = 0;
    int bitsLeft_ = 0;
};

std::optional<std::uint8_t> Symbol(BitReader& reader, const std::map<std::pair<int, int>, std::uint8_t>& table) {
    int code = 0;
    for (int length = 1; length <= 16; ++length) {
        const auto bit = reader.Bit();
        if (!bit) return std::nullopt;
        code = (code << 1) | *bit;
        if (const auto found = table.find({length, code}); found != table.end()) return found->second;
    }
    return std::nullopt;
}

// T.81 F.2.2.1: a value of `size` bits whose top bit is 0 is negative.
std::optional<int> Extend(BitReader& reader, int size) {
    if (size == 0) return 0;
    const auto bits = reader.Bits(size);
    if (!bits) return std::nullopt;
    return *bits < (1 << (size - 1)) ? *bits - (1 << size) + 1 : *bits;
}

} // namespace

std::optional<ScanDecoding> ScanDecoder::Decode(std::span<const std::uint8_t> data, std::span<const Tables> components,
                                                std::size_t blocks) const {
    ScanDecoding result;
    BitReader reader(data, result);
    std::vector<int> predictors(components.size(), 0);
    for (std::size_t n = 0; n < blocks; ++n) {
        const std::size_t c = n % components.size();
        const auto dc = tables_.find(components[c].dc);
        const auto ac = tables_.find(components[c].ac);
        if (dc == tables_.end() || ac == tables_.end()) return std::nullopt;
        QuantisedBlock block{};
        const auto dcSize = Symbol(reader, dc->second);
        if (!dcSize) return std::nullopt;
        const auto difference = Extend(reader, *dcSize);
        if (!difference) return std::nullopt;
        predictors[c] += *difference;
        block[0] = predictors[c];
        std::size_t k = 1;
        while (k < 64) {
            const auto symbol = Symbol(reader, ac->second);
            if (!symbol) return std::nullopt;
            if (*symbol == 0x00) break;
            if (*symbol == 0xf0) {
                ++result.zeroRunCodes;
                k += 16;
                continue;
            }
            k += *symbol >> 4;
            if (k > 63) return std::nullopt;
            const auto value = Extend(reader, *symbol & 0x0f);
            if (!value) return std::nullopt;
            block[k++] = *value;
            if (k == 64) ++result.blocksEndingAt63;
        }
        if (k > 64) return std::nullopt;
        result.blocks.push_back(block);
    }
    result.bytesUsed = reader.Used();
    return result;
}

std::optional<FileParts> SplitFile(std::span<const std::uint8_t> file) {
    FileParts parts;
    std::size_t at = 2;
    if (file.size() < 4 || file[0] != 0xff || file[1] != 0xd8) return std::nullopt;
    while (at + 4 <= file.size()) {
        if (file[at] != 0xff) return std::nullopt;
        const std::uint8_t marker = file[at + 1];
        const std::size_t length = std::size_t{file[at + 2]} << 8 | file[at + 3];
        if (length < 2 || at + 2 + length > file.size()) return std::nullopt;
        const auto payload = file.subspan(at + 4, length - 2);
        at += 2 + length;
        if (marker == 0xc4) parts.dhtPayload = payload;
        if (marker == 0xda) {
            if (file.size() < at + 2 || file[file.size() - 2] != 0xff || file[file.size() - 1] != 0xd9)
                return std::nullopt;
            parts.scanData = file.subspan(at, file.size() - 2 - at);
            return parts;
        }
    }
    return std::nullopt;
}

} // namespace capture::testing

#pragma once
// A decoder of baseline entropy-coded data written for the tests: Huffman tables read from a DHT
// payload, stuffed bytes removed, blocks returned as quantised coefficients in zig-zag order with
// the DC differences undone. It also counts what it met, so a test knows which paths it crossed.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace capture::testing {

using QuantisedBlock = std::array<std::int32_t, 64>;

struct ScanDecoding {
    std::vector<QuantisedBlock> blocks;   // in coding order
    std::size_t bytesUsed = 0;            // of the entropy-coded data, stuffing included
    int zeroRunCodes = 0;                 // 0xF0 symbols met
    int blocksEndingAt63 = 0;             // blocks without an end-of-block code
    int stuffedBytes = 0;                 // 0xFF 0x00 pairs met
};

class ScanDecoder {
public:
    explicit ScanDecoder(std::span<const std::uint8_t> dhtPayload);

    // Decodes `blocks` blocks; components cycle through tables (dc, ac) in order, one DC
    // predictor per entry. Nothing when the data does not decode.
    struct Tables {
        std::uint8_t dc;
        std::uint8_t ac;
    };
    std::optional<ScanDecoding> Decode(std::span<const std::uint8_t> data, std::span<const Tables> components,
                                       std::size_t blocks) const;

private:
    // (length, code) → symbol, per class-and-id byte.
    std::map<std::uint8_t, std::map<std::pair<int, int>, std::uint8_t>> tables_;
};

// The DHT payload and the entropy-coded data of a whole file (nothing when its layout is unknown).
struct FileParts {
    std::span<const std::uint8_t> dhtPayload;
    std::span<const std::uint8_t> scanData;   // up to, not including, the EOI marker
};
std::optional<FileParts> SplitFile(std::span<const std::uint8_t> file);

} // namespace capture::testing

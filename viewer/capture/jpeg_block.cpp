#include "capture/jpeg_block.h"

#include "capture/jpeg_tables.h"

namespace capture::jpeg {

CoefficientBlock ForwardDct(const SampleBlock& samples) {
    CoefficientBlock out{};
    for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
            float acc = 0.0f;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    acc = acc + (static_cast<float>(samples[y * 8 + x]) * kCosine[x][u]) * kCosine[y][v];
            const float scaled = ((kScale[u] * kScale[v]) / 4.0f) * acc;
            out[v * 8 + u] = static_cast<std::int32_t>(scaled);
        }
    }
    return out;
}

CoefficientBlock ForwardDctSideBySide(const SampleBlock& samples) {
    CoefficientBlock out{};
    for (int u = 0; u < 8; ++u) {
        float products[64];
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) products[y * 8 + x] = static_cast<float>(samples[y * 8 + x]) * kCosine[x][u];
        float acc[8] = {};
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                for (int v = 0; v < 8; ++v) acc[v] = acc[v] + products[y * 8 + x] * kCosine[y][v];
        for (int v = 0; v < 8; ++v) {
            const float scaled = ((kScale[u] * kScale[v]) / 4.0f) * acc[v];
            out[v * 8 + u] = static_cast<std::int32_t>(scaled);
        }
    }
    return out;
}

std::array<std::int16_t, 64> Quantise(const CoefficientBlock& coefficients,
                                      const std::array<std::uint8_t, 64>& zigZagTable) {
    std::array<std::int16_t, 64> out{};
    for (std::size_t k = 0; k < 64; ++k)
        out[k] = static_cast<std::int16_t>(coefficients[kZigZag[k]] / static_cast<std::int32_t>(zigZagTable[k]));
    return out;
}

} // namespace capture::jpeg

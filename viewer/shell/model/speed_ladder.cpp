#include "shell/model/speed_ladder.h"

#include <array>
#include <charconv>

namespace shell {

void SpeedLadder::fast() {
    if (step_ < kFastest) ++step_;
    factor_ = (step_ - 2) / 2.0;
    keepSpeedOnce_ = true;
}

void SpeedLadder::slow() {
    factor_ = (step_ - 3) / 2.0;
    --step_;
    if (step_ <= kSlowest) {
        step_ = kSlowest;
        factor_ = 0.25;
    }
    keepSpeedOnce_ = true;
}

void SpeedLadder::reset() {
    if (keepSpeedOnce_) {
        keepSpeedOnce_ = false;
        return;
    }
    factor_ = 1.0;
    step_ = kNormal;
}

std::string SpeedLadder::label() const {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), factor_,
                                      std::chars_format::fixed, 2);
    return std::string(buffer.data(), result.ptr) + " x";
}

} // namespace shell

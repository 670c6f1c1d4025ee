#include "map/marker_moves.h"

namespace map {

void MarkerMoves::NewPage() {
    pushed_.reset();
    resting_ = false;
}

bool MarkerMoves::IsPushed(const std::string& latitude, const std::string& longitude) const {
    return pushed_ && pushed_->first == latitude && pushed_->second == longitude;
}

bool MarkerMoves::TakeTick(const std::string& latitude, const std::string& longitude) {
    if (IsPushed(latitude, longitude)) {
        resting_ = true;
        return false;
    }
    pushed_.emplace(latitude, longitude);
    resting_ = false;
    return true;
}

bool MarkerMoves::WakeOn(const std::string& latitude, const std::string& longitude) {
    if (!resting_ || IsPushed(latitude, longitude)) return false;
    resting_ = false;
    return true;
}

} // namespace map

#pragma once
// When a map host's update timer moves the marker. A tick pushes the position only when it differs
// from the one last pushed; a tick that finds nothing new lets the timer rest, so nothing wakes
// while the car stands or playback is paused or stopped (and a paused user may pan the map);
// the next different position wakes the timer again.

#include <optional>
#include <string>
#include <utility>

namespace map {

class MarkerMoves {
public:
    // A page was loaded with a position of its own: the next tick pushes whatever it finds.
    void NewPage();
    // The timer was stopped or started by the host's own rules: no resting to wake from.
    void Forget() { resting_ = false; }
    // An update tick with the current texts: true when they are to be pushed (they then count as
    // pushed); false when nothing changed: the host stops its timer, which now rests.
    bool TakeTick(const std::string& latitude, const std::string& longitude);
    // A new position: true when the timer rests and the texts differ from those last pushed; the
    // host then starts its timer again.
    bool WakeOn(const std::string& latitude, const std::string& longitude);
    bool resting() const { return resting_; }

private:
    bool IsPushed(const std::string& latitude, const std::string& longitude) const;

    std::optional<std::pair<std::string, std::string>> pushed_;
    bool resting_ = false;
};

} // namespace map

// Exited.
#include "player/tarn_adap.h"
#include "player/tarn_states.h"

namespace player {

int Tarnstat2::ClosePlayer() { return adapter_.UnloadLibrary(); }
int Tarnstat2::GetStateId() const { return static_cast<int>(StateId::Exited); }
int Tarnstat2::TraceState() { return SettleAndTrace(StateId::Exited); }

} // namespace player

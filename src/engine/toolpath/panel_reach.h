#pragma once
// Moves that run far off the panel: a lead-in of a hundred metres, a ramp that rises
// out of sight. They are written as drawn, but the operator is warned before the
// machine runs them.

#include "engine/driver/engine_context.h"

namespace mq {

// Beyond the tool's own diameter, how far (in millimetres) a move may leave the panel
// before it is worth a warning.
inline constexpr float kPanelReachMillimetres = 50.0f;

// After the last geometry pass: one warning per route layer whose lead, ramp or cutting
// move leaves the panel (or rises above it) by more than the tool diameter plus 50 mm.
void WarnAboutMovesOffThePanel(EngineContext& c);

}  // namespace mq

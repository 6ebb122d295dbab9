#pragma once
// Saw grooves and horizontal-bore lines: LINEs and POLYLINE pieces.

#include "engine/driver/engine_context.h"

namespace mq {

// LINE or POLYLINE on a groove or horizontal-bore line layer. A POLYLINE's VERTEX
// records are loaded here and `index` is left after the last of them.
void CollectLines(EngineContext& c, int& index);

}  // namespace mq

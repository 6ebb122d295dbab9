#pragma once
// Saw grooves in machining order, wide grooves cut in passes side by side.

#include "engine/driver/engine_context.h"

namespace mq {

// GrooveList becomes LineBoreList: direction markers applied, each groove split into
// kerf-wide passes, in machining order.
void OrderGrooves(EngineContext& c);

}  // namespace mq

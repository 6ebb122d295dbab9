#pragma once
// Closed polylines started in the middle of their first straight side.

#include "engine/driver/engine_context.h"

namespace mq {

// With corner compensation on, every closed polyline contour that starts on a corner is
// rotated to start and end in the middle of its first straight side.
void CompensateCorners(EngineContext& c);

}  // namespace mq

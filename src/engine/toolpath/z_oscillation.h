#pragma once
// Through-cuts whose depth rises and falls along the route to spread the cutter's wear.

#include "engine/driver/engine_context.h"

namespace mq {

// Every contour with an OZ height is cut with its depth oscillating along the route.
void OscillateRoutes(EngineContext& c);

}  // namespace mq

#pragma once
// Deep routes cut in several equal depth steps.

#include "engine/driver/engine_context.h"

namespace mq {

// Every contour with M passes is repeated M times, each pass a step deeper.
void RepeatDepthPasses(EngineContext& c);

}  // namespace mq

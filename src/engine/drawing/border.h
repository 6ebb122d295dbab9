#pragma once
// The part border evaluated: panel box, edge views, thickness, origin and units.

#include "engine/driver/engine_context.h"

namespace mq {

// Finds the panel and its edge views from the collected border points, the part
// thickness, the part origin, whether the drawing is in inches and the coincidence
// tolerance. Aborts the conversion on a border that is not properly drawn.
void EvaluateBorder(EngineContext& c);

}  // namespace mq

#include "engine/passes.h"

namespace mq {

// Not built yet.
void JoinContours(EngineContext& c) {}

// Not built yet.
void ExpandLoneCircles(EngineContext& c) {}

}  // namespace mq

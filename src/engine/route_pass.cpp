#include "engine/passes.h"

namespace mq {

// Not built yet.
void RoutePass(EngineContext& c) {}

// Not built yet.
void DeleteRemovedSegments(EngineContext& c) {}

}  // namespace mq

#include "engine/passes.h"

namespace mq {

// Not built yet.
void FirstGeometryPass(EngineContext& c) {}

}  // namespace mq

#include "engine/passes.h"

namespace mq {

// Not built yet.
void CompensateCorners(EngineContext& c) {}

}  // namespace mq

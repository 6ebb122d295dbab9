#include "engine/passes.h"

namespace mq {

// Not built yet.
void RepeatDepthPasses(EngineContext& c) {}

}  // namespace mq

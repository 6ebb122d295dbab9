#include "engine/passes.h"

namespace mq {

// Not built yet.
void OscillateRoutes(EngineContext& c) {}

}  // namespace mq

#include "engine/passes.h"

namespace mq {

// Not built yet.
void OrderEdgeBores(EngineContext& c) {}

}  // namespace mq

#include "engine/passes.h"

namespace mq {

// Not built yet.
void OrderBores(EngineContext& c) {}

}  // namespace mq

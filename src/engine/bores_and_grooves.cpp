#include "engine/passes.h"

namespace mq {

// Not built yet.
void CollectBoresAndGrooves(EngineContext& c, int& index) {}

}  // namespace mq

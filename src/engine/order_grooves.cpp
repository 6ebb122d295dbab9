#include "engine/passes.h"

namespace mq {

// Not built yet.
void OrderGrooves(EngineContext& c) {}

}  // namespace mq

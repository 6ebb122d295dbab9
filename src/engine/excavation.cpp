#include "engine/passes.h"

namespace mq {

// Not built yet.
void ExcavatePockets(EngineContext& c) {}

}  // namespace mq

#include "engine/passes.h"

namespace mq {

// Not built yet.
void ReportUnmachinedEntities(EngineContext& c) {}

}  // namespace mq

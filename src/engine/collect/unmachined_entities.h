#pragma once
// What sits on an operation layer but is not machined, told to the operator.

#include "engine/driver/engine_context.h"

namespace mq {

// After the route pass, before the store is released: one report line per entity type
// and operation layer that nothing machines.
void ReportUnmachinedEntities(EngineContext& c);

}  // namespace mq

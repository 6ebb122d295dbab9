#pragma once
// Horizontal bores in machining order: right edge, then bottom, left and top.

#include "engine/driver/engine_context.h"

namespace mq {

// Horizontal-bore lines become edge bores on the edge they touch; every edge bore is
// put in machining order.
void OrderEdgeBores(EngineContext& c);

}  // namespace mq

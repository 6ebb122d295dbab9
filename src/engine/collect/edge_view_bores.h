#pragma once
// Horizontal bores drawn as circles in an edge view.

#include "engine/driver/engine_context.h"

namespace mq {

// CIRCLE on a horizontal-bore layer, drawn in one of the edge views.
void CollectEdgeViewBore(EngineContext& c);

}  // namespace mq

#pragma once
// The first scan of the store: which layers are routed, and where the border lies.

#include "engine/driver/engine_context.h"

namespace mq {

// Every layer whose name contains ROUT, ROTAR or EXCAV joins the layer-kind list at its
// first appearance; border and panel entities are collected for the border evaluation.
void CollectRouteLayersAndBorder(EngineContext& c);

}  // namespace mq

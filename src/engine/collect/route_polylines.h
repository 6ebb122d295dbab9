#pragma once
// Routed POLYLINEs, vertex by vertex, with their bulges and widths.

#include "engine/collect/route_entities.h"
#include "engine/driver/engine_context.h"

namespace mq {

// POLYLINE just loaded; `index` is the record after it. Its VERTEX records are loaded
// here and `index` is left after its SEQEND.
void RoutePolyline(EngineContext& c, const RouteLayer& layer, int& index);

}  // namespace mq

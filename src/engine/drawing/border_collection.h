#pragma once
// The corner points of the part border, gathered entity by entity.

#include "engine/driver/engine_context.h"

namespace mq {

// The entity just loaded by the first scan when it is a border LINE or POLYLINE (its
// VERTEX records are loaded here and `index` is left after them) or a PANEL SOLID. A
// PANEL SOLID of no area aborts the conversion.
void CollectBorderEntity(EngineContext& c, int& index);

}  // namespace mq

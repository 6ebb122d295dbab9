#pragma once
// Coordinates measured from the machine corner the border layer chose.

#include "engine/driver/engine_context.h"

namespace mq {

// Mirrors every point, arc centre, bore, saw pass, circle and edge-bore position so that
// X runs from the right edge and Y from the top edge where the corner says so.
void TransformToMachineCorner(EngineContext& c);

}  // namespace mq

#pragma once
// Points placed in their extent box; panel items measured from the part origin.

#include "engine/driver/engine_context.h"

namespace mq {

// Each path point and circle gets the first edge-view box that holds it; the others
// belong to the panel (box 5) and are moved by PartOrigin.
void TranslateToBoxes(EngineContext& c);

}  // namespace mq

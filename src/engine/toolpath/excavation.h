#pragma once
// The excavation pass: contours on EXCAV layers become the tool paths that clear the
// pockets they outline.

#include "engine/driver/engine_context.h"

namespace mq {

// Every excavation contour of PathList is replaced by its pocket: a rectangle by its
// outline and inward passes, a full circle by the circle and an inward spiral. Any other
// outline is reported and left as drawn.
void ExcavatePockets(EngineContext& c);

}  // namespace mq

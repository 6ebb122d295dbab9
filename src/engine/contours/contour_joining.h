#pragma once
// Contour joining and contour order: the pieces of the route pass and the routed circles
// become the contours the router cuts, in the order it cuts them. The conventions of the
// finished PathList are set out in contour_joining.cpp.

#include "engine/driver/engine_context.h"

namespace mq {

// Routes ordered by their loose ends, pieces chained into contours, circles opened or
// given leads, and the contours put in machining order by distance, tool and sequence.
void JoinContours(EngineContext& c);
// Every circle not yet opened becomes a contour started at its top point; the driver
// calls it when no other route was drawn.
void ExpandLoneCircles(EngineContext& c);

}  // namespace mq

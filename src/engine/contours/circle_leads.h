#pragma once
// Lead-ins and lead-outs of routed circles with cutter compensation: a circle must not
// be entered straight on its outline, so it is entered along a tangential quarter arc,
// cut once round and left along the mirrored quarter arc (or, with a ramp-out, along the
// circle itself while the tool rises).

#include <vector>

#include "engine/driver/engine_context.h"

namespace mq {

// Every circle not yet expanded that has a lead length and a compensation side becomes a
// contour of six records (lead-in, circle, lead-out) appended to PathList, with a used row
// in the contour table; the circle is marked expanded and its route layer cleared.
// Returns the rows made. Nothing happens when the drawing has no lead length, leads are
// off and no layer carries an LD code.
std::vector<int> MakeCircleLeads(EngineContext& c);

}  // namespace mq

#pragma once
// Where the leads of a cut-out lie. The leads of a compensated contour go to one side of
// its direction of travel, so a cut-out drawn the other way round, or given the other
// compensation code, gets its leads outside it: they would cut a groove into the
// finished panel at full depth.

#include "engine/driver/engine_context.h"

namespace mq {

// Every contour that has leads is a cut-out with its waste inside it: the first point of
// its lead-in, the last point of its lead-out and the middle of each lead arc must lie
// inside the closed contour (its outline counts as inside). A contour that breaks this
// gets one warning naming its layer and drawing line; the program is still written.
void CheckLeadSides(EngineContext& c);

}  // namespace mq

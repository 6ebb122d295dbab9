#pragma once
// Lead-ins, lead-outs and ramps of closed compensated contours inside the panel.

#include "engine/driver/engine_context.h"

namespace mq {

// With leads on, every closed contour with a compensation side that lies inside the
// panel gets a lead-in and a lead-out, with ramps where asked for.
void SynthesizeLeads(EngineContext& c);

}  // namespace mq

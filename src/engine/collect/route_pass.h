#pragma once
// The route pass: every routed entity becomes path records or a circle record.

#include "engine/driver/engine_context.h"

namespace mq {

// For each route layer in the order of the layer-kind list, the whole store is scanned
// and its LINEs, ARCs and POLYLINEs become PathList entries, its CIRCLEs CircleList
// entries.
void RoutePass(EngineContext& c);
// Entries the route pass removed (SegmentType 0) are deleted from PathList.
void DeleteRemovedSegments(EngineContext& c);

}  // namespace mq

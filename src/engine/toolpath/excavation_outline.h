#pragma once
// Rectangular pockets: an outline cleared by inward passes one pitch apart.

#include <string>
#include <vector>

#include "engine/driver/engine_context.h"
#include "engine/geometry/contour_geometry.h"

namespace mq {

// An outline pocket: the outline and inward passes P apart, linked into one contour.
// Only an axis-parallel rectangle can be cleared so; any other outline is reported with
// "Excavation outline is not a rectangle: " and `layerName`, and left as drawn.
std::vector<PathSegment> RectanglePocket(EngineContext& c, ContourSpan outline, float pitch,
                                         const std::string& layerName);

}  // namespace mq

#pragma once
// The excavation pass's two pocket kinds. Each turns one excavation contour of PathList
// into the tool path that clears the pocket and returns the records that replace it;
// an empty result leaves the contour as drawn.

#include <string>
#include <vector>

#include "engine/contour_geometry.h"
#include "engine/engine_context.h"

namespace mq {

// An outline pocket: the outline and inward passes P apart, linked into one contour.
// Only an axis-parallel rectangle can be cleared so; any other outline is reported with
// "Excavation outline is not a rectangle: " and `layerName`, and left as drawn.
std::vector<PathSegment> RectanglePocket(EngineContext& c, ContourSpan outline, float pitch,
                                         const std::string& layerName);

// A full circle (an arc start and its end at the same point): the circle and then an
// inward spiral of half circles whose radii fall by P/2.
std::vector<PathSegment> CirclePocket(const EngineContext& c, ContourSpan circle, float pitch);

// The contour is one centre arc that ends where it starts, as contour joining opens a
// circle.
bool IsFullCircle(const OneBasedList<PathSegment>& path, ContourSpan span, float tolerance);

}  // namespace mq

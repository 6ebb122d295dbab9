#pragma once
// Circular pockets: the circle and an inward spiral of half circles.

#include <vector>

#include "engine/driver/engine_context.h"
#include "engine/geometry/contour_geometry.h"

namespace mq {

// A full circle (an arc start and its end at the same point): the circle and then an
// inward spiral of half circles whose radii fall by P/2.
std::vector<PathSegment> CirclePocket(const EngineContext& c, ContourSpan circle, float pitch);

// The contour is one centre arc that ends where it starts, as contour joining opens a
// circle.
bool IsFullCircle(const OneBasedList<PathSegment>& path, ContourSpan span, float tolerance);

}  // namespace mq

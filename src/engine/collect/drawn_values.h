#pragma once
// Values of a drawing that no panel can mean: a coordinate that is not a number or lies
// kilometres away, a layer code of that size, a routed circle without a radius. The
// machine would run them as written, so such a drawing is not converted at all.

#include "engine/driver/engine_context.h"

namespace mq {

// Beyond this (in millimetres) no coordinate, radius or depth of a panel is meant.
inline constexpr float kLargestMeantMillimetres = 100000.0f;

// After the settings are merged (the drawing's units are known): the first entity on an
// operation or border layer with such a value aborts the conversion, naming the value,
// the layer and the drawing line.
void CheckDrawnValues(EngineContext& c);

}  // namespace mq
